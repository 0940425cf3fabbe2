# The two commands a newcomer needs: `make run` and `make test` (every test, the browser's
# included); `make deb` builds the Debian package; `make web` builds the browser's site,
# `make web-serve` serves it on localhost and `make test-web` runs only the browser tests. All of them
# install missing packages, configure and build first.
BUILD_DIR ?= build
WEB_BUILD_DIR ?= build-web
ARGS ?=
# What `make web` builds natively: the build-time tools alone, or (for the tests) everything.
NATIVE_TARGETS = ventora_web_inputs

.PHONY: run test test-web deb deps build web web-serve web-bench

# The music is off unless asked for; `make run` asks (VENTORA_DISABLE_MUSIC still wins).
run: build
	VENTORA_ENABLE_MUSIC=1 ./$(BUILD_DIR)/src/app/ventora $(ARGS)

# The browser tests load the browser build, so the tests build both.
test: NATIVE_TARGETS = all
test: web
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

test-web: web
	ctest --test-dir $(BUILD_DIR) -R '^web\.' --output-on-failure

# $(BUILD_DIR)/ventora_<version>_amd64.deb; install it with `apt install ./$(BUILD_DIR)/ventora_*.deb`.
deb: build
	cd $(BUILD_DIR) && cpack -G DEB

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j2

deps:
	scripts/install-deps

# $(WEB_BUILD_DIR)/site: the page, the game as WebAssembly, its music. The tools that run at build
# time (the soundtrack, its rows, the effects) are native. SDL2, SDL2_mixer and libmpg123 for the
# browser come from scripts/build-web-deps, built once into a cache while the native build runs
# beside it (its configuring leaves a core free most of the time). The browser tests' driver is
# pinned by its lock file and installed again only when that changes.
web: export NODE_PATH = /usr/share/nodejs
web: deps
	mkdir -p $(WEB_BUILD_DIR)
	scripts/build-web-deps >$(WEB_BUILD_DIR)/deps-folder & libraries=$$!; \
	  cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENTORA_WEB_BUILD="$(abspath $(WEB_BUILD_DIR))" && \
	  cmake --build $(BUILD_DIR) -j2 --target $(NATIVE_TARGETS); native=$$?; \
	  wait $$libraries && exit $$native
	emcmake cmake -S . -B $(WEB_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DVENTORA_WEB_DEPS="$$(cat $(WEB_BUILD_DIR)/deps-folder)" -DVENTORA_NATIVE_BUILD="$(abspath $(BUILD_DIR))"
	cmake --build $(WEB_BUILD_DIR) -j2
	cd web/tests && { [ node_modules/.package-lock.json -nt package-lock.json ] || \
	  npm ci --no-audit --no-fund --silent; }

web-serve: web
	node web/tests/static_server.mjs $(WEB_BUILD_DIR)/site

# The browser build's speed beside the desktop's (slow, machine-dependent: not a test).
web-bench: web
	cmake --build $(BUILD_DIR) -j2 --target bench
	node tools/web-bench/main.mjs $(BUILD_DIR) $(WEB_BUILD_DIR)
