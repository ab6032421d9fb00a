# The two commands a user needs; each does all set-up by itself.
#   make demo  - install packages, build, stage dist/, start Orvilo with the demo camera
#   make test  - install packages, build, run every test headless
# Further targets for developers: build, stage, bench, sanitize, fuzz (SECONDS=… per target),
# package (the Debian package orvilo_<version>_<arch>.deb here, from build-package/), screenshots, clean.

BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: demo test deps configure build stage bench sanitize fuzz package screenshots clean

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

stage: build
	@rm -rf dist
	@cmake --install $(BUILD) --prefix dist > /dev/null
	@echo "staged program folder: dist/"

demo: stage
	@./scripts/run-demo.sh

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

screenshots: build
	@./scripts/screenshots.sh $(BUILD)

bench: build
	@./bench/run-all.sh $(BUILD)

fuzz: deps
	@./fuzz/run.sh $(or $(SECONDS),60)

# Its own tree: the package's desktop entries install to system folders.
package: deps
	@cmake -S . -B build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVILO_PACKAGE=ON -DORVILO_TESTS=OFF \
	  -DORVILO_BENCH=OFF > /dev/null
	@cmake --build build-package -j $(JOBS)
	@cd build-package && cpack > cpack.log 2>&1 || { tail -30 cpack.log; exit 1; }
	@cp build-package/orvilo_*.deb .
	@./packaging/check-package.sh orvilo_*.deb

sanitize:
	@$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS=-DORVILO_SANITIZE=ON

clean:
	@rm -rf $(BUILD) build-sanitize build-fuzz build-package dist orvilo_*.deb
