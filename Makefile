# Front door: `make run` starts the program, `make test` runs every test.
# Both install the Debian packages they need first.

BUILD    ?= build
WERROR   ?= OFF
SANITIZE ?= OFF
JOBS     ?= $(shell nproc)

BUILD_PACKAGES = cmake ninja-build g++ make pkg-config libgtest-dev libelf-dev \
                 qt6-base-dev qt6-svg-dev qt6-qpa-plugins libqt6svg6 libgl-dev \
                 shared-mime-info fonts-dejavu-core
TEST_PACKAGES  = xvfb xauth xdotool imagemagick
BENCH_PACKAGES = hyperfine dos2unix time mawk python3

.PHONY: all run test bench build configure deps deps-test deps-bench clean format install

all: build

deps:
	@scripts/ensure-packages.sh $(BUILD_PACKAGES)

deps-test: deps
	@scripts/ensure-packages.sh $(TEST_PACKAGES)

deps-bench: deps
	@scripts/ensure-packages.sh $(BENCH_PACKAGES)

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DVANTREL_WERROR=$(WERROR) -DVANTREL_SANITIZE=$(SANITIZE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-vantrel.sh $(BUILD)

test: deps-test build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: deps-bench build
	bench/join-vs-peers.sh $(BUILD)/bin/vantrel-join
	bench/large-inputs.sh $(BUILD)/bin/vantrel-join

install: build
	cmake --install $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan
