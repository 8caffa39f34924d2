# The README's two commands: `make run` and `make test`.
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
RELEASE_TEST_BUILD_DIR ?= build-release
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: run test deps build build-test build-release-test bench fuzz format clean

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCODEPLUG_BUILD_TESTS=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	scripts/run-demo $(BUILD_DIR)/bin $(BUILD_DIR)/demo

build-test: deps
	cmake -S . -B $(TEST_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCODEPLUG_SANITIZE=ON -DCODEPLUG_BUILD_BENCH=OFF
	cmake --build $(TEST_BUILD_DIR) -j $(JOBS)

# The tests also run in an optimised build, so that code which only compiles or only passes in
# one configuration is caught.
build-release-test: deps
	cmake -S . -B $(RELEASE_TEST_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCODEPLUG_BUILD_BENCH=OFF
	cmake --build $(RELEASE_TEST_BUILD_DIR) -j $(JOBS)

test: build-test build-release-test
	cd $(TEST_BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	cd $(RELEASE_TEST_BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do echo "== $$b"; $$b; done

# Builds the fuzz targets with clang and libFuzzer and runs each for FUZZ_SECONDS; the work corpus
# and any findings stay in $(FUZZ_BUILD_DIR)/run.
fuzz:
	scripts/install-deps --fuzz
	cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCODEPLUG_FUZZ=ON -DCODEPLUG_BUILD_TESTS=OFF -DCODEPLUG_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS) --target \
		fuzz_codeplug_load fuzz_channel_csv fuzz_contact_txt fuzz_contact_csv fuzz_settings_file \
		fuzz_userdb_parse fuzz_userdb_cache
	scripts/run-fuzz $(FUZZ_BUILD_DIR)/bin $(FUZZ_SECONDS) $(FUZZ_BUILD_DIR)/run

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(RELEASE_TEST_BUILD_DIR) $(FUZZ_BUILD_DIR)
