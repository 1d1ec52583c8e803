# The two commands of the README: `make run` and `make test`. Each installs
# what is missing, configures, builds and runs; both are quiet when all is
# present. `make package` builds the Debian package.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
JOBS ?= 2
# Debian's hardening flags (stack protector, fortify, relro, bind-now, PIE).
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
CONFIGURE = CXXFLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
	LDFLAGS="$$($(DEB_FLAGS) LDFLAGS)" \
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

.PHONY: run test package build build-app deps-run deps-test deps-package

run: deps-run build-app
	@$(BUILD_DIR)/app/quillo

test: deps-test build
	@cd $(BUILD_DIR) && ctest --output-on-failure

# The package's path is the last line printed.
package: deps-package build-app
	@ninja -C $(BUILD_DIR) -j$(JOBS) --quiet all
	@cd $(BUILD_DIR) && cpack -G DEB -B package >/dev/null
	@ls -1 $(abspath $(BUILD_DIR))/package/*.deb | tail -n 1

deps-run:
	@scripts/install-deps run

deps-test:
	@scripts/install-deps test

deps-package:
	@scripts/install-deps package

# `make run` installs no test libraries, so a build it configures first
# leaves the test suites out; `make test` turns them on.
build-app:
	@test -f $(BUILD_DIR)/build.ninja || $(CONFIGURE) -DQUILLO_BUILD_TESTS=OFF >/dev/null
	@ninja -C $(BUILD_DIR) -j$(JOBS) --quiet quillo

build:
	@{ grep -qs '^QUILLO_BUILD_TESTS:BOOL=ON' $(BUILD_DIR)/CMakeCache.txt && test -f $(BUILD_DIR)/build.ninja; } || \
	  $(CONFIGURE) -DQUILLO_BUILD_TESTS=ON >/dev/null
	@ninja -C $(BUILD_DIR) -j$(JOBS) --quiet
