# The two commands of the README: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc)
APP := build/dev/app/orvanta

.PHONY: run test deps build build-asan test-dev test-asan bench install uninstall format clean

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

uninstall:
	@bash scripts/uninstall.sh build/dev

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
