# The two commands of the README: `make run` and `make test`. Each installs
# what is missing, configures, builds and runs; both are quiet when all is
# present.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
JOBS ?= 2
CONFIGURE = cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

.PHONY: run test build build-app deps-run deps-test

run: deps-run build-app
	@$(BUILD_DIR)/app/quillo

test: deps-test build
	@cd $(BUILD_DIR) && ctest --output-on-failure

deps-run:
	@scripts/install-deps run

deps-test:
	@scripts/install-deps test

# `make run` installs no test libraries, so a build it configures first
# leaves the test suites out; `make test` turns them on.
build-app:
	@test -f $(BUILD_DIR)/build.ninja || $(CONFIGURE) -DQUILLO_BUILD_TESTS=OFF >/dev/null
	@ninja -C $(BUILD_DIR) -j$(JOBS) --quiet quillo

build:
	@{ grep -qs '^QUILLO_BUILD_TESTS:BOOL=ON' $(BUILD_DIR)/CMakeCache.txt && test -f $(BUILD_DIR)/build.ninja; } || \
	  $(CONFIGURE) -DQUILLO_BUILD_TESTS=ON >/dev/null
	@ninja -C $(BUILD_DIR) -j$(JOBS) --quiet
