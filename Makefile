# Tesselet: the two everyday commands are `make demo` and `make test`.
BUILD       ?= build
BUILD_ASAN  ?= build-asan
FUZZ_SECONDS ?= 12
JOBS        ?= $(shell nproc)
GENERATOR   := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
DEMO_DIR    := $(BUILD)/demo
# The browsers' test runs after the rest, on a quiet machine, and gets a second run: headless
# Chromium now and then shoots before every frame of its page is painted (white where a picture is).
CTEST       := ctest --output-on-failure -j $(JOBS)

.PHONY: all deps demo test test-release sanitize-build test-sanitize tidy fuzz bench format format-check clean \
        package package-check screenshot translations golden \
        bench-render

all: build-release

deps:
	@scripts/install-deps

build-release: deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DTESSELET_WERROR=ON -DTESSELET_BENCH=ON \
	  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	cmake --build $(BUILD) -j $(JOBS)

demo: build-release
	@mkdir -p $(DEMO_DIR)
	$(BUILD)/bin/tesselet-cli --out-dir $(DEMO_DIR) resources/sample.png
	@echo "Pages of resources/sample.png are in $(DEMO_DIR)/ (open them in a browser)."

# Everything CI asks of a change but the formatting: both test runs, clang-tidy and the fuzzers.
test: test-release test-sanitize tidy fuzz

test-release: build-release
	cd $(BUILD) && $(CTEST) -LE browser && $(CTEST) -L browser --repeat until-pass:2

# One clang tree serves both the sanitizers and the fuzzers: the suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the libFuzzer targets linked from the same objects.
sanitize-build: deps
	CXX=clang++ cmake -S . -B $(BUILD_ASAN) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTESSELET_WERROR=ON \
	  -DTESSELET_SANITIZE=ON -DTESSELET_FUZZ=ON -DTESSELET_BENCH=OFF
	cmake --build $(BUILD_ASAN) -j $(JOBS)

test-sanitize: sanitize-build
	cd $(BUILD_ASAN) && $(CTEST) -LE browser && $(CTEST) -L browser --repeat until-pass:2

# clang-tidy over the product code (not the tests), its findings as errors; see .clang-tidy. It reads
# the Release tree's compile database, so it needs no build of its own.
tidy: build-release
	run-clang-tidy -p $(BUILD) -j $(JOBS) -quiet '$(CURDIR)/(app|cli|generator|templates|writers|support)/'

# Each fuzz target for FUZZ_SECONDS from the committed seeds; new inputs go to the build folder.
fuzz: sanitize-build
	scripts/run-fuzzers $(BUILD_ASAN) $(FUZZ_SECONDS)

bench: build-release
	@scripts/install-deps --bench
	bench/compare $(BUILD)/bin
	bench/render $(BUILD)/bin

# How long headless Chromium and Firefox take to show each page style (TESSELET_BENCH_QUICK=1: a
# quick subset).
bench-render: build-release
	@scripts/install-deps --bench
	bench/render $(BUILD)/bin

# The Debian package of the release build, $(BUILD)/tesselet_<version>_<arch>.deb (cmake/Packaging.cmake).
package: build-release
	cd $(BUILD) && cpack -G DEB

# Validates the package (files, dependencies, desktop entry, metainfo, manual pages, lintian), then
# installs it with apt-get, runs both programs from /usr/bin and purges it (scripts/package-check).
package-check: package
	scripts/package-check $(BUILD)

# docs/screenshot.png, the metainfo's screenshot, from the real window under Xvfb.
screenshot: build-release
	@scripts/install-deps --screenshot
	scripts/screenshot $(BUILD)/bin/tesselet docs/screenshot.png

# Reads every marked text of the code into translations/*.ts; translate the new entries there (the
# translations test fails until each has its translation).
translations:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) --target update_translations

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)

# Writes the golden pages under tests/data/pages anew, for a change meant to change pages; read the
# diff before committing it.
golden: build-release
	tests/golden.sh $(BUILD)/bin/tesselet-cli --regenerate
