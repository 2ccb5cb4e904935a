# The one front door: every target first makes sure the Debian packages are
# there, then configures with a CMake preset and builds with two jobs.
.PHONY: all deps build run test golden bench asan fuzz format format-check clean package

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: build
	@scripts/run-example

test: build
	@ctest --preset default

# The Debian package in build/, for an installation under /usr.
package: deps
	@cmake --preset default -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	@cmake --build --preset default
	@cd build && cpack -G DEB

# Regenerates the pinned end-to-end results on purpose; review the diff.
golden: build
	@KTR_GOLDEN_UPDATE=1 build/bin/ktr_app_tests --gtest_filter='Golden.*' >/dev/null
	@git status --short tests/golden

bench: build
	@for b in build/bin/bench_*; do "$$b"; done

# Each libFuzzer target for FUZZ_SECONDS (default 300) seconds.
fuzz: deps
	@scripts/fuzz $${FUZZ_SECONDS:-300}

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	@rm -rf build build-debug build-asan
