# Top-level entry points. Each target installs missing Debian packages first.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)

.PHONY: all build deps configure test run clean sanitize screenshots fuzz

all: build

deps:
	@sh scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: build
	sh scripts/run-sample.sh $(BUILD)

# Core libraries and their tests under AddressSanitizer and UBSan, without Qt.
sanitize: deps
	cmake -S . -B $(BUILD)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DVARNEL_WITH_QT=OFF -DVARNEL_SANITIZE=ON -DVARNEL_BENCH=OFF
	cmake --build $(BUILD)-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --test-dir $(BUILD)-asan --output-on-failure -j $(JOBS)

# libFuzzer harnesses of the MIME display, character-set code and mark-read rewrite, built with clang
# (installed here when missing, so `make test` stays lean) and run FUZZ_RUNS times each.
FUZZ_RUNS ?= 1000000
FUZZ_PACKAGES = clang libclang-rt-14-dev
fuzz: deps
	@missing=""; for p in $(FUZZ_PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    if [ "$$(id -u)" -ne 0 ]; then echo "Run as root: apt-get install -y$$missing" >&2; exit 1; fi; \
	    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DVARNEL_WITH_QT=OFF -DVARNEL_FUZZ=ON -DVARNEL_BENCH=OFF
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzz_body_pass fuzz_encoded_words fuzz_mark_read
	mkdir -p $(BUILD)-fuzz/corpus/body $(BUILD)-fuzz/corpus/names $(BUILD)-fuzz/corpus/mark_read
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	$(BUILD)-fuzz/bin/fuzz_body_pass -runs=$(FUZZ_RUNS) -artifact_prefix=$(BUILD)-fuzz/ -max_len=8192 -dict=fuzz/body.dict \
	    $(BUILD)-fuzz/corpus/body tests/data/mime
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	$(BUILD)-fuzz/bin/fuzz_encoded_words -runs=$(FUZZ_RUNS) -artifact_prefix=$(BUILD)-fuzz/ -max_len=1024 -dict=fuzz/names.dict \
	    $(BUILD)-fuzz/corpus/names
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	$(BUILD)-fuzz/bin/fuzz_mark_read -runs=$(FUZZ_RUNS) -artifact_prefix=$(BUILD)-fuzz/ -max_len=4096 -dict=fuzz/mark_read.dict \
	    $(BUILD)-fuzz/corpus/mark_read tests/data/header

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-fuzz

# Screenshots of three sample mails under Xvfb, saved in $(BUILD)/screenshots.
screenshots: build
	sh scripts/screenshots.sh $(BUILD)
