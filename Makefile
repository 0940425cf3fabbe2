# The two commands a newcomer needs: `make run` and `make test`.
# Both install missing packages, configure and build first.
BUILD_DIR ?= build
ARGS ?=

.PHONY: run test deps build

run: build
	./$(BUILD_DIR)/src/app/ventora $(ARGS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j2

deps:
	scripts/install-deps
