# Two entry points: `make run` and `make test`. Both install what is missing first.
BUILD     ?= build
ASAN      ?= build-asan
WINBUILD  ?= build-windows
GENERATOR ?= Ninja
JOBS      ?= $(shell nproc)
# ccache, where installed, keeps rebuilds of other checkouts and of CI short.
LAUNCHER  := $(if $(shell command -v ccache),-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all deps configure build windows run test bench sanitize fuzz fuzz-ci check-format format clean

all: build

deps:
	@scripts/deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G $(GENERATOR) $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)

# The native Windows program (mingw-w64, static): SETUP.EXE, VEXARMV.EXE, winprobe.exe and unit_tests.exe
# in $(WINBUILD); the sample media of $(BUILD) are made again with the real VEXARMV.EXE, and SETUP.EXE is
# put at their root.
windows: deps
	@test -f $(WINBUILD)/CMakeCache.txt || \
	  cmake -S . -B $(WINBUILD) -G $(GENERATOR) $(LAUNCHER) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WINBUILD) -j $(JOBS)
	@test ! -f $(BUILD)/CMakeCache.txt || cmake --build $(BUILD) --target sample_media
	@cmake -DEXE=$(CURDIR)/$(WINBUILD)/SETUP.EXE -DMEDIA=$(CURDIR)/$(BUILD)/media -P cmake/copy_setup_exe.cmake

test: build windows
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The install benchmark (a measurement, not a test): the optimised build of $(BUILD), no sanitizers.
bench: deps
	@cmake -S . -B $(BUILD) -G $(GENERATOR) $(LAUNCHER) >/dev/null
	@bench/run.sh $(BUILD)

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B $(ASAN) -G $(GENERATOR) $(LAUNCHER) -DOVRA_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS)

# libFuzzer drivers (clang, build-fuzz/): FUZZ_SECONDS per driver; fuzz-ci fails on any finding.
FUZZ_SECONDS ?= 60
FUZZ_CI_SECONDS ?= 15
fuzz: deps
	@scripts/fuzz.sh $(FUZZ_SECONDS)

fuzz-ci: deps
	@scripts/fuzz.sh $(FUZZ_CI_SECONDS) --ci

check-format: deps
	@scripts/check_format.sh

format:
	@git ls-files '*.cpp' '*.h' ':!tests/platform/conformance/oracle' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN) $(WINBUILD) build-fuzz
