# The two commands of the README: `make run` and `make test`. Each installs
# what is missing, configures, builds and runs; both are quiet when all is
# present.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The sanitizer build: a second build directory of the same tree, compiled
# with clang, every library, tool and test under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzz targets beside them.
SAN_DIR ?= build-sanitize
SAN_FLAGS ?= -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DQUILLO_SANITIZE=ON -DQUILLO_BUILD_FUZZ=ON
# No suppressions: nothing in the tree needs one. A suite whose toolkit leaks
# on purpose would add LSAN_OPTIONS=suppressions=FILE here, every line of
# FILE explained.
SAN_ENV ?= ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1
# Fuzzing: per-target working corpora outside git, kept between runs.
# `make test` fuzzes each target for FUZZ_SECONDS, `make fuzz` for SECONDS.
FUZZ_WORK ?= fuzz-work
FUZZ_SECONDS ?= 60
SECONDS ?= 60

.PHONY: run test build deps-run deps-test sanitize-build fuzz

run: deps-run build
	@echo 'Quillo: no window yet; evaluating sample formulas with quillo-eval'
	@for f in '2*sin(30)+(1+2)^2' 'power(2,10)' 'round(2.345,2)' '1/3*3' 'sqrt(-1)'; do \
	  printf '%-22s' "$$f"; $(BUILD_DIR)/tools/quillo-eval "$$f" || true; \
	done

test: deps-test build sanitize-build
	@cd $(BUILD_DIR) && ctest --output-on-failure
	@cd $(SAN_DIR) && env $(SAN_ENV) ctest --output-on-failure
	@scripts/fuzz $(SAN_DIR) $(FUZZ_WORK) $(FUZZ_SECONDS)

# Every fuzz target for SECONDS each; non-zero exit on a finding.
fuzz: deps-test sanitize-build
	@scripts/fuzz $(SAN_DIR) $(FUZZ_WORK) $(SECONDS)

deps-run:
	@scripts/install-deps run

deps-test:
	@scripts/install-deps test

$(BUILD_DIR)/build.ninja:
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: $(BUILD_DIR)/build.ninja
	@ninja -C $(BUILD_DIR) --quiet

$(SAN_DIR)/build.ninja:
	@CXX=clang++ cmake -S . -B $(SAN_DIR) -G Ninja $(SAN_FLAGS) >/dev/null

sanitize-build: $(SAN_DIR)/build.ninja
	@ninja -C $(SAN_DIR) --quiet
