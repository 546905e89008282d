# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure and build first.

.PHONY: all deps build run test test-sanitize fuzz clean

all: build

deps:
	@scripts/install-deps

build: deps
	@test -f build/build.ninja || cmake --preset default
	cmake --build --preset default

run: build
	@scripts/run-program

test: build
	QT_QPA_PLATFORM=offscreen ctest --preset default

test-sanitize: deps
	@test -f build-sanitize/build.ninja || cmake --preset sanitize
	cmake --build --preset sanitize
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset sanitize
	@scripts/run-fuzzers

clean:
	rm -rf build build-sanitize build-fuzz
