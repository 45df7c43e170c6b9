# The two commands a newcomer needs: `make run` and `make test`. Both install what is
# missing, configure and build first.
BUILD ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build run cli test sanitize-build sanitize-test bench fuzz-build fuzz clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/ui/vdmosgen

cli: build
	./$(BUILD)/src/cli/vdmosgen-cli

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The sanitized and fuzz builds stand apart from their runs so that CI can build them under the
# dependency check's tracer and run them outside it (LeakSanitizer stops under a tracer).
sanitize-build: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVDMOS_SANITIZE=ON -DVDMOS_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer; any finding fails.
sanitize-test: sanitize-build
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVDMOS_BUILD_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	bash bench/run-all.sh $(BENCH_BUILD)

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVDMOS_BUILD_FUZZ=ON \
	  -DVDMOS_BUILD_GUI=OFF -DVDMOS_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Every libFuzzer target for FUZZ_SECONDS each, under AddressSanitizer and UBSan.
fuzz: fuzz-build
	bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
