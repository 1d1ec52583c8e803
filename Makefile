# The two commands of the README: `make run` and `make test`. Each installs
# what is missing, configures, builds and runs; both are quiet when all is
# present. `make package` builds the Debian package; `make windows` the
# Windows programs, MSI and zip; `make bench` measures (a Release build of
# its own, and quillo.exe's start-up under Wine); `make fuzz SECONDS=N`
# fuzzes for longer.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
JOBS ?= 2
# Debian's hardening flags (stack protector, fortify, relro, bind-now, PIE).
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
CONFIGURE = CXXFLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
	LDFLAGS="$$($(DEB_FLAGS) LDFLAGS)" \
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)
# The sanitizer build: a second build directory of the same tree, compiled
# with clang, every library, tool and test under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzz targets beside them.
SAN_DIR ?= build-sanitize
SAN_FLAGS ?= -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DQUILLO_SANITIZE=ON -DQUILLO_BUILD_FUZZ=ON
# No suppressions: nothing in the tree needs one. A suite whose toolkit leaks
# on purpose would add LSAN_OPTIONS=suppressions=FILE here, every line of
# FILE explained. strict_string_checks stays off: with it, ASan reports
# libxkbcommon's strndup of the X server's atom names, which are not
# NUL-terminated and which strndup, rightly, reads only up to its length.
SAN_ENV ?= ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1
# The package check builds a package of the build it runs in: not of this one.
# The window suites run again under weston only in the normal build: under
# ASan's slower timing, Qt 6.4's Wayland plugin once raced its frame-callback
# thread against a window's teardown (an assertion in libwayland-client, in
# QWaylandWindow::reset). The same suites run under ASan off screen, and our
# own Wayland code (title bar, end to end) under ASan on weston.
SAN_SKIP ?= ^package$$|^wayland_(start_up|evaluation|conveniences|qt_platform)_test$$|^wayland_look_bold_.x$$
# Fuzzing: per-target working corpora outside git, kept between runs.
# `make test` fuzzes each target for FUZZ_SECONDS, `make fuzz` for SECONDS.
FUZZ_WORK ?= fuzz-work
FUZZ_SECONDS ?= 60
SECONDS ?= 60
# The Windows build: cross-built with mingw-w64, tested under Wine (its
# prefix in $(WIN_DIR)/wine-prefix), compared with the Linux build.
WIN_DIR ?= build-windows
WIN_CONFIGURE = cmake -S . -B $(WIN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
BENCH_DIR ?= build-bench
# The repetitions of all benchmarks take turns in a random order, so that a
# change in the machine's load falls on both sides of a bar's ratio.
BENCH_FLAGS ?= --benchmark_repetitions=15 --benchmark_min_time=0.2 \
  --benchmark_display_aggregates_only=true --benchmark_enable_random_interleaving=true

.PHONY: run test package windows bench fuzz build build-app sanitize-build windows-build \
  deps-run deps-test deps-package deps-windows deps-bench

run: deps-run build-app
	@QUILLO_DISPLAY_HINT="xvfb-run make run" $(BUILD_DIR)/app/quillo

test: deps-test build sanitize-build windows-build
	@cd $(BUILD_DIR) && ctest --output-on-failure
	@cd $(SAN_DIR) && env $(SAN_ENV) ctest --output-on-failure -E '$(SAN_SKIP)'
	@cd $(WIN_DIR) && ctest --output-on-failure
	@scripts/fuzz $(SAN_DIR) $(FUZZ_WORK) $(FUZZ_SECONDS)

# Every fuzz target for SECONDS each; non-zero exit on a finding.
fuzz: deps-test sanitize-build
	@scripts/fuzz $(SAN_DIR) $(FUZZ_WORK) $(SECONDS)

# The package's path is the last line printed.
package: deps-package build-app
	@ninja -C $(BUILD_DIR) -j$(JOBS) --quiet all
	@cd $(BUILD_DIR) && cpack -G DEB -B package >/dev/null
	@ls -1 $(abspath $(BUILD_DIR))/package/*.deb | tail -n 1

# The programs, the MSI and the zip; their paths are the last lines printed.
windows: deps-windows
	@test -f $(WIN_DIR)/build.ninja || $(WIN_CONFIGURE) -DQUILLO_BUILD_TESTS=OFF >/dev/null
	@ninja -C $(WIN_DIR) -j$(JOBS) --quiet windows_packages
	@cat $(WIN_DIR)/windows-outputs.txt

# The engine and window benchmarks (medians of repeated runs, then the bars),
# the whole quillo-eval process on a 32,000-character sum, and the window's
# start-up under Xvfb, then quillo.exe's under Wine (from the Windows build,
# Release already, which gets the bare window to compare with). Exit status
# 1 when a bar was missed.
bench: deps-bench
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DQUILLO_BUILD_TESTS=OFF -DQUILLO_BUILD_BENCH=ON >/dev/null
	@ninja -C $(BENCH_DIR) -j$(JOBS) --quiet
	@test -f $(WIN_DIR)/build.ninja || $(WIN_CONFIGURE) -DQUILLO_BUILD_TESTS=OFF >/dev/null
	@grep -qs '^QUILLO_BUILD_BENCH:BOOL=ON' $(WIN_DIR)/CMakeCache.txt || \
	  cmake -S . -B $(WIN_DIR) -DQUILLO_BUILD_BENCH=ON >/dev/null
	@ninja -C $(WIN_DIR) -j$(JOBS) --quiet quillo quillo-bare-window
	@status=0; \
	$(BENCH_DIR)/bench/quillo-bench $(BENCH_FLAGS) || status=1; \
	bench/quillo-eval-time.sh $(BENCH_DIR)/tools/quillo-eval || status=1; \
	bench/startup-time.sh $(BENCH_DIR) || status=1; \
	bench/win32-startup-time.sh $(BENCH_DIR) $(WIN_DIR) || status=1; \
	exit $$status

deps-run:
	@scripts/install-deps run

deps-test:
	@scripts/install-deps test

deps-package:
	@scripts/install-deps package

deps-bench:
	@scripts/install-deps bench

deps-windows:
	@scripts/install-deps windows

# `make run` installs no test libraries, so a build it configures first
# leaves the test suites out; `make test` turns them on.
build-app:
	@test -f $(BUILD_DIR)/build.ninja || $(CONFIGURE) -DQUILLO_BUILD_TESTS=OFF >/dev/null
	@ninja -C $(BUILD_DIR) -j$(JOBS) --quiet quillo

build:
	@{ grep -qs '^QUILLO_BUILD_TESTS:BOOL=ON' $(BUILD_DIR)/CMakeCache.txt && test -f $(BUILD_DIR)/build.ninja; } || \
	  $(CONFIGURE) -DQUILLO_BUILD_TESTS=ON >/dev/null
	@ninja -C $(BUILD_DIR) -j$(JOBS) --quiet

$(SAN_DIR)/build.ninja:
	@CXX=clang++ cmake -S . -B $(SAN_DIR) -G Ninja $(SAN_FLAGS) >/dev/null

sanitize-build: $(SAN_DIR)/build.ninja
	@ninja -C $(SAN_DIR) -j$(JOBS) --quiet

# With the Windows test suites (a `make windows` tree gets them added).
windows-build:
	@{ grep -qs '^QUILLO_BUILD_TESTS:BOOL=ON' $(WIN_DIR)/CMakeCache.txt && test -f $(WIN_DIR)/build.ninja; } || \
	  $(WIN_CONFIGURE) -DQUILLO_BUILD_TESTS=ON -DQUILLO_LINUX_BUILD=$(abspath $(BUILD_DIR)) >/dev/null
	@ninja -C $(WIN_DIR) -j$(JOBS) --quiet
