# The two set-up commands are `make run` and `make test`; both install what is
# missing first. Builds use both cores of this machine and no more.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2
FUZZ_SECONDS ?= 5
ARGS ?=
PREFIX ?= /usr/local

.PHONY: all deps build run test asan asan-build fuzz fuzz-smoke soak bench install package screenshots clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/app/quillory-32 $(ARGS)

# Everything: the normal build's tests, a few seconds of each fuzz target,
# and the sanitizer build's tests (last, so that ctest closes the output).
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz-smoke
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

asan-build: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
	  -DQUILLORY_SANITIZE=ON -DQUILLORY_FUZZ=ON -DQUILLORY_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)

asan: asan-build
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

fuzz-smoke: asan-build
	tools/run-fuzzers.sh $(ASAN_BUILD) $(FUZZ_SECONDS)

# Longer fuzz runs: make fuzz FUZZ_SECONDS=600
fuzz: FUZZ_SECONDS = 60
fuzz: asan-build
	tools/run-fuzzers.sh $(ASAN_BUILD) $(FUZZ_SECONDS)

# The reliability runs at length (make test plays short versions): the reader
# killed during its save a thousand times, every allocation of a scripted run
# failed in turn (again under the sanitizers, for leaks), and the volume read
# fifty times over with memory measured.
SOAK_KILL_RUNS ?= 1000
SOAK_PASSES ?= 50
soak: build asan-build
	QUILLORY_KILL_RUNS=$(SOAK_KILL_RUNS) ./$(BUILD)/tests/reader_kill_test
	QUILLORY_SWEEP_STRIDE=1 ./$(BUILD)/tests/e2e_test --gtest_filter='AllocationSweepTest.*'
	QUILLORY_SWEEP_STRIDE=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan-suppressions.txt \
	  ./$(ASAN_BUILD)/tests/e2e_test --gtest_filter='AllocationSweepTest.*'
	QUILLORY_SOAK_PASSES=$(SOAK_PASSES) ./$(BUILD)/tests/e2e_test --gtest_filter='ReaderSoakTest.*'

bench: build
	./$(BUILD)/bench/store_bench
	./$(BUILD)/bench/view_bench
	./$(BUILD)/bench/search_bench
	./$(BUILD)/bench/index_bench
	./$(BUILD)/bench/calendar_bench
	./$(BUILD)/bench/reader_bench
	./$(BUILD)/bench/clipboard_bench

# The programs, desktop entry, icons and manual pages under PREFIX.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, in the build folder.
package: build
	cd $(BUILD) && cpack -G DEB

# The README's pictures, drawn afresh by this build's reader.
screenshots: build
	tools/make-screenshots.sh $(BUILD) docs

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
