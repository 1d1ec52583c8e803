# The two commands of the README: `make run` and `make test`. Each installs
# what is missing, configures, builds and runs; both are quiet when all is
# present. `make bench` measures the engine (Release build of its own).
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
BENCH_DIR ?= build-bench
BENCH_FLAGS ?= --benchmark_repetitions=15 --benchmark_min_time=0.2 \
  --benchmark_display_aggregates_only=true

.PHONY: run test bench build deps-run deps-test deps-bench

run: deps-run build
	@echo 'Quillo: no window yet; evaluating sample formulas with quillo-eval'
	@for f in '2*sin(30)+(1+2)^2' 'power(2,10)' 'round(2.345,2)' '1/3*3' 'sqrt(-1)'; do \
	  printf '%-22s' "$$f"; $(BUILD_DIR)/tools/quillo-eval "$$f" || true; \
	done

test: deps-test build
	@cd $(BUILD_DIR) && ctest --output-on-failure

# The engine benchmarks (medians of repeated runs, then the bars), and the
# whole quillo-eval process on a 32,000-character sum. Exit status 1 when a
# bar was missed.
bench: deps-bench
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DQUILLO_BUILD_TESTS=OFF -DQUILLO_BUILD_BENCH=ON >/dev/null
	@ninja -C $(BENCH_DIR) -j2 --quiet
	@status=0; \
	$(BENCH_DIR)/bench/quillo-bench $(BENCH_FLAGS) || status=1; \
	bench/quillo-eval-time $(BENCH_DIR)/tools/quillo-eval || status=1; \
	exit $$status

deps-run:
	@scripts/install-deps run

deps-test:
	@scripts/install-deps test

deps-bench:
	@scripts/install-deps bench

$(BUILD_DIR)/build.ninja:
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: $(BUILD_DIR)/build.ninja
	@ninja -C $(BUILD_DIR) --quiet
