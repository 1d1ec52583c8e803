# The two commands of the README: `make run` and `make test`. Each installs
# what is missing, configures, builds and runs; both are quiet when all is
# present.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Debian's hardening flags (stack protector, fortify, relro, bind-now, PIE).
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get

.PHONY: run test package build deps-run deps-test deps-package

run: deps-run build
	@echo 'Quillo: no window yet; evaluating sample formulas with quillo-eval'
	@for f in '2*sin(30)+(1+2)^2' 'power(2,10)' 'round(2.345,2)' '1/3*3' 'sqrt(-1)'; do \
	  printf '%-22s' "$$f"; $(BUILD_DIR)/tools/quillo-eval "$$f" || true; \
	done

test: deps-test build
	@cd $(BUILD_DIR) && ctest --output-on-failure

# A Debian package of the calculator; its path is the last line printed.
package: deps-package build
	@cd $(BUILD_DIR) && cpack -G DEB -B package >/dev/null
	@ls -1 $(abspath $(BUILD_DIR))/package/*.deb | tail -n 1

deps-run:
	@scripts/install-deps run

deps-test:
	@scripts/install-deps test

deps-package:
	@scripts/install-deps package

$(BUILD_DIR)/build.ninja:
	@CXXFLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
	  LDFLAGS="$$($(DEB_FLAGS) LDFLAGS)" \
	  cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: $(BUILD_DIR)/build.ninja
	@ninja -C $(BUILD_DIR) --quiet
