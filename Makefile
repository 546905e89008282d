# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure and build first.

.PHONY: all deps build run test test-sanitize install package windows windows-package check-windows clean

PREFIX ?= /usr/local

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
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --preset sanitize
	@scripts/run-fuzzers

# Installs under PREFIX (DESTDIR for staging), then refreshes the file-type and
# desktop-entry caches so a double-click on a .sin file opens the program.
install: build
	cmake --install build --prefix "$(PREFIX)"
	@if [ -z "$(DESTDIR)" ]; then \
	  command -v update-mime-database >/dev/null && update-mime-database "$(PREFIX)/share/mime" || true; \
	  command -v update-desktop-database >/dev/null && update-desktop-database -q "$(PREFIX)/share/applications" || true; \
	fi

# The .deb of the installed layout in build/, checked by lintian.
package: build
	@scripts/install-deps package
	cd build && cpack
	lintian --fail-on error build/kdw-pc-encoder_*.deb

# The Windows program directory build-windows/, cross-built with mingw-w64
# against a static Qt made once from Debian's sources (cached in ~/.cache).
windows:
	@scripts/install-deps windows
	@scripts/build-qt-windows >/dev/null
	@test -f build-windows/build.ninja || cmake --preset windows
	nice cmake --build --preset windows

# Its portable .zip and its installer, in build-windows/.
windows-package: windows
	nice cmake --build --preset windows --target windows-package

# The Windows build and its installer under Wine, against the simulated radio.
check-windows: windows-package
	@scripts/check-windows

clean:
	rm -rf build build-sanitize build-fuzz build-windows
