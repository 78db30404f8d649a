# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README: `make run` and `make test`. Both install what is missing first.
# `make package` makes the Debian package, build/package/orvanta_VERSION-1_ARCH.deb.
# Build folders are the presets' own: build/<preset>.
JOBS ?= $(shell nproc)
DEV := build/dev

.PHONY: run test deps build build-asan test-dev test-asan bench install uninstall package format clean

# `make test` installs both engines (where the distribution has them), anything else one of them.
DEPS_FOR := $(if $(filter test test-dev test-asan,$(MAKECMDGOALS)),test,run)

deps:
	@bash scripts/install-deps.sh $(DEPS_FOR)

build/%/build.ninja: | deps
	cmake --preset $*

build: deps $(DEV)/build.ninja
	cmake --build --preset dev -j $(JOBS)

build-asan: deps build/asan/build.ninja
	cmake --build --preset asan -j $(JOBS)

run: build
	@bash scripts/run-app.sh $(DEV)/app/orvanta

# Each run ends with its five slowest tests, whether it passed or not. The package's checks (their own test preset,
# as they read build/package, not the build under test) run once, with the development build's.
test-dev: build package
	ctest --preset dev -j $(JOBS); status=$$?; bash scripts/slowest-tests.sh $(DEV); \
	ctest --preset package || status=1; exit $$status

test-asan: build-asan
	ctest --preset asan -j $(JOBS); status=$$?; bash scripts/slowest-tests.sh build/asan; exit $$status

test: test-dev test-asan

bench: build
	@bash scripts/run-benchmarks.sh $(DEV)/bench

install: build
	cmake --install $(DEV)
	cp $(DEV)/install_manifest.txt $(DEV)/installed-files.txt

package: deps build/package/build.ninja
	cmake --build --preset package -j $(JOBS)
	rm -f build/package/orvanta_*.deb
	cd build/package && cpack

uninstall:
	@bash scripts/uninstall.sh $(DEV)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
