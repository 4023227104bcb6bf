# Two entry points: `make run` sets up, builds and starts the program;
# `make check` sets up, builds and runs every test.
# `make install` / `make uninstall` put the program, its desktop entry, icon and metadata
# under PREFIX (and DESTDIR) and take them away again; `make package` builds the .deb.
BUILD ?= build
JOBS ?= 2
PREFIX ?= /usr/local
# Let ccache share results between checkouts in different folders.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all deps configure build program run check install uninstall package clean format

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then cmake -S . -B $(BUILD) -G Ninja; fi

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# The program alone: tests, benchmarks and fuzzers are built by `make check`.
program: configure
	cmake --build $(BUILD) -j$(JOBS) --target qelshot

run: program
	@bash scripts/start-program $(BUILD)

check: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 300

# Builds the program only (not the tests) and installs it; install_manifest.txt in the
# build folder lists what was written.
install: program
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# Removes exactly the files of the last `make install` (give the same DESTDIR).
uninstall:
	DESTDIR="$(DESTDIR)" cmake -DMANIFEST=$(abspath $(BUILD))/install_manifest.txt \
	  -P packaging/uninstall.cmake

# The .deb lands in the build folder; dpkg-shlibdeps computes its library dependencies.
package: program
	cd $(BUILD) && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
