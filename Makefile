# The two commands of the README: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc)
APP := build/dev/app/orvanta

.PHONY: run test deps build build-asan test-dev test-asan bench install uninstall portable format clean

deps:
	@bash scripts/install-deps.sh

build/dev/build.ninja: | deps
	cmake --preset dev

build/asan/build.ninja: | deps
	cmake --preset asan

build: deps build/dev/build.ninja
	cmake --build --preset dev -j $(JOBS)

build-asan: deps build/asan/build.ninja
	cmake --build --preset asan -j $(JOBS)

run: build
	@bash scripts/run-app.sh $(APP)

test-dev: build
	ctest --preset dev -j $(JOBS)

test-asan: build-asan
	ctest --preset asan -j $(JOBS)

test: test-dev test-asan

bench: build
	@bash scripts/run-benchmarks.sh build/dev/bench

install: build
	cmake --install build/dev
	cp build/dev/install_manifest.txt build/dev/installed-files.txt
	@echo "Installed in $$(cmake -L -N build/dev | sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p')/opt/orvanta"

portable: deps
	cmake -S . -B build/portable -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTA_INSTALL_SUBDIR=orvanta \
	  -DORVANTA_DESKTOP_FILES=OFF -DORVANTA_TESTS=OFF -DORVANTA_BENCHMARKS=OFF
	cmake --build build/portable -j $(JOBS)
	cd build/portable && cpack
	@echo "Archive: build/portable/orvanta-2.2-portable.tar.gz (unpack it anywhere you can write, then run orvanta/orvanta)"

uninstall:
	@bash scripts/uninstall.sh build/dev

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
