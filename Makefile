# The two commands a newcomer needs: `make run` and `make test`; `make deb` builds the Debian
# package; `make web` builds the browser's site, `make web-serve` serves it on localhost and
# `make test-web` runs the browser tests against it. All of them install missing packages,
# configure and build first.
BUILD_DIR ?= build
WEB_BUILD_DIR ?= build-web
ARGS ?=

.PHONY: run test test-web deb deps build web web-serve

# The music is off unless asked for; `make run` asks (VENTORA_DISABLE_MUSIC still wins).
run: build
	VENTORA_ENABLE_MUSIC=1 ./$(BUILD_DIR)/src/app/ventora $(ARGS)

# The browser tests skip here unless a browser build is already there; `make test-web` makes one.
test: build
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
# time (the soundtrack, its rows, the effects) are native: the native build makes them first.
# SDL2, SDL2_mixer and libmpg123 for the browser come from scripts/build-web-deps (built once).
web: export NODE_PATH = /usr/share/nodejs
web: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j2 --target ventora_web_inputs
	deps=$$(scripts/build-web-deps) && emcmake cmake -S . -B $(WEB_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DVENTORA_WEB_DEPS="$$deps" -DVENTORA_NATIVE_BUILD="$(abspath $(BUILD_DIR))"
	cmake --build $(WEB_BUILD_DIR) -j2
	cd web/tests && npm ci --no-audit --no-fund --silent

web-serve: web
	node web/tests/static_server.mjs $(WEB_BUILD_DIR)/site
