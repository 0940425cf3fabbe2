# The two commands a newcomer needs: `make run` and `make test`; `make deb` builds the Debian
# package. All of them install missing packages, configure and build first.
BUILD_DIR ?= build
ARGS ?=

.PHONY: run test deb deps build

# The music is off unless asked for; `make run` asks (VENTORA_DISABLE_MUSIC still wins).
run: build
	VENTORA_ENABLE_MUSIC=1 ./$(BUILD_DIR)/src/app/ventora $(ARGS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

# $(BUILD_DIR)/ventora_<version>_amd64.deb; install it with `apt install ./$(BUILD_DIR)/ventora_*.deb`.
deb: build
	cd $(BUILD_DIR) && cpack -G DEB

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j2

deps:
	scripts/install-deps
