# The README's two commands: `make run` and `make test`.
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
RELEASE_TEST_BUILD_DIR ?= build-release
JOBS ?= $(shell nproc)

.PHONY: run test deps build build-test build-release-test bench format clean

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

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(RELEASE_TEST_BUILD_DIR)
