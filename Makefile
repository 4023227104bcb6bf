# Two entry points: `make run` sets up, builds and starts the program;
# `make check` sets up, builds and runs every test.
BUILD ?= build
JOBS ?= 2
# Let ccache share results between checkouts in different folders.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all deps configure build program run check clean format

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

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
