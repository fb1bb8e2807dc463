# Front door: `make run` starts the program, `make test` runs every test, `make windows` builds
# for Windows. Each installs the Debian packages it needs first.

BUILD    ?= build
WERROR   ?= OFF
SANITIZE ?= OFF
JOBS     ?= $(shell nproc)
# The Windows builds and their suites under Wine; the sanitizer run of CI leaves them to the first.
WINDOWS  ?= ON

BUILD_PACKAGES = cmake ninja-build g++ make pkg-config libgtest-dev libelf-dev \
                 qt6-base-dev qt6-svg-dev qt6-qpa-plugins libqt6svg6 libgl-dev \
                 shared-mime-info fonts-dejavu-core xvfb xauth librsvg2-bin git
TEST_PACKAGES  = xvfb xauth xdotool imagemagick openbox x11-utils x11-xkb-utils locales lintian \
                 appstream desktop-file-utils man-db groff-base bash-completion dbus at-spi2-core \
                 python3 python3-pyatspi weston qt6-wayland $(PACKAGE_PACKAGES) $(WINDOWS_PACKAGES)
# MinGW-w64 for x64 and x86 (with windres), GoogleTest's sources, Wine for the x64 tests,
# ImageMagick to make the Windows program's icons, wixl and zip for its installer and portable
# zip, msitools and unzip to look into both.
WINDOWS_PACKAGES = g++-mingw-w64 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 googletest \
                   wine wine64 util-linux imagemagick wixl msitools zip unzip
PACKAGE_PACKAGES = dpkg-dev file
BENCH_PACKAGES = dos2unix time mawk python3
FUZZ_PACKAGES  = clang libclang-rt-14-dev

FUZZ_SECONDS ?= 60
FUZZ_TARGETS  = radky jazyk registr verze

.PHONY: all run test bench fuzz build configure deps deps-test deps-bench deps-fuzz deps-package \
        deps-windows clean format install package windows windows-package

all: build

deps:
	@scripts/ensure-packages.sh $(BUILD_PACKAGES)

deps-test: deps
	@scripts/ensure-packages.sh $(TEST_PACKAGES)

deps-bench: deps
	@scripts/ensure-packages.sh $(BENCH_PACKAGES)

deps-fuzz: deps
	@scripts/ensure-packages.sh $(FUZZ_PACKAGES)

deps-package: deps
	@scripts/ensure-packages.sh $(PACKAGE_PACKAGES)

deps-windows: deps
	@scripts/ensure-packages.sh $(WINDOWS_PACKAGES)

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DVANTREL_WERROR=$(WERROR) -DVANTREL_SANITIZE=$(SANITIZE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the two programs, not the tests.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target vantrel vantrel-join
	@scripts/run-vantrel.sh $(BUILD)

# The Linux suites, then the Windows suites of the x64 build under Wine.
test: deps-test build $(if $(filter ON,$(WINDOWS)),windows)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(if $(filter ON,$(WINDOWS)),ctest --test-dir build-win64 --output-on-failure -j $(JOBS))

# Cross-built with MinGW-w64: x64 into build-win64/ (tested and shipped), x86 into build-win32/,
# the 32-bit target, which this machine cannot run: compiled and linked with warnings as errors.
windows: deps-windows
	@cmake -S . -B build-win64 -G Ninja --toolchain cmake/MinGW-x64.cmake \
		-DVANTREL_WERROR=$(WERROR) -DVANTREL_LINUX_BUILD=$(abspath $(BUILD)) >/dev/null
	@cmake --build build-win64 -j $(JOBS)
	@cmake -S . -B build-win32 -G Ninja --toolchain cmake/MinGW-x86.cmake \
		-DVANTREL_WERROR=ON >/dev/null
	@cmake --build build-win32 -j $(JOBS)

# build-win64/vantrel-<version>-win64.msi and .zip: the x64 programs and their packages only.
windows-package: deps-windows
	@cmake -S . -B build-win64 -G Ninja --toolchain cmake/MinGW-x64.cmake \
		-DVANTREL_WERROR=$(WERROR) -DVANTREL_LINUX_BUILD=$(abspath $(BUILD)) >/dev/null
	@cmake --build build-win64 -j $(JOBS) --target vantrel_windows_baliky

bench: deps-bench build
	bench/join-vs-peers.sh $(BUILD)/bin/vantrel-join
	bench/large-inputs.sh $(BUILD)/bin/vantrel-join

# Each fuzz target for FUZZ_SECONDS on a copy of its corpus, in its own clang build folder.
fuzz: deps-fuzz
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVANTREL_FUZZ=ON \
		-DVANTREL_WERROR=$(WERROR) >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_vse
	scripts/run-fuzz.sh build-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Both build only what they install, not the tests.
install: configure
	@cmake --build $(BUILD) -j $(JOBS) --target vantrel_instalace
	cmake --install $(BUILD)

# $(BUILD)/vantrel_<version>_<arch>.deb; the same bytes from the same source in any build folder.
package: deps-package configure
	@cmake --build $(BUILD) -j $(JOBS) --target vantrel_instalace
	@cd $(BUILD) && cpack -G DEB

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan build-fuzz build-win64 build-win32
