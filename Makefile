# Top-level entry points. Each target installs missing Debian packages first.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)

.PHONY: all build deps configure test run clean sanitize screenshots fuzz bench

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

# libFuzzer harnesses of every parser that reads outside input, built with clang
# (installed here when missing, so `make test` stays lean). Each runs FUZZ_RUNS times,
# or FUZZ_SECONDS seconds when that is given.
FUZZ_RUNS ?= 1000000
FUZZ_SECONDS ?=
FUZZ_LIMIT = $(if $(FUZZ_SECONDS),-max_total_time=$(FUZZ_SECONDS),-runs=$(FUZZ_RUNS))
FUZZ_PACKAGES = clang libclang-rt-14-dev
FUZZERS = body_pass encoded_words mark_read ini line_store mail_fields link folder_rules \
    index_reader
# fuzz_run(name, max_len, more options and seed directories)
define fuzz_run
	mkdir -p $(BUILD)-fuzz/corpus/$(1)
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	$(BUILD)-fuzz/bin/fuzz_$(1) $(FUZZ_LIMIT) -artifact_prefix=$(BUILD)-fuzz/$(1)- -max_len=$(2) \
	    $(BUILD)-fuzz/corpus/$(1) $(3)
endef
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
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target $(addprefix fuzz_,$(FUZZERS))
	$(call fuzz_run,body_pass,8192,-dict=fuzz/body.dict tests/data/mime)
	$(call fuzz_run,encoded_words,1024,-dict=fuzz/names.dict)
	$(call fuzz_run,mark_read,4096,-dict=fuzz/mark_read.dict tests/data/header)
	$(call fuzz_run,ini,2048,-dict=fuzz/ini.dict)
	$(call fuzz_run,line_store,2048,)
	$(call fuzz_run,mail_fields,512,-dict=fuzz/mail_fields.dict)
	$(call fuzz_run,link,512,-dict=fuzz/link.dict)
	$(call fuzz_run,folder_rules,512,)
	$(call fuzz_run,index_reader,4096,examples/pelkhome)

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-fuzz

# Screenshots of three sample mails under Xvfb, saved in $(BUILD)/screenshots.
screenshots: build
	sh scripts/screenshots.sh $(BUILD)
	sh scripts/menu-screenshots.sh $(BUILD)

# Every bench beside its reference (Python's email package, iconv, wc -l, a minimal Qt
# window), side by side in one run, printed as one table; see docs/performance.md.
# BENCH_ARGS=--quick runs fewer pairs and stops at 20 MB.
bench: build
	nice python3 bench/bench.py $(BUILD) $(BENCH_ARGS)
