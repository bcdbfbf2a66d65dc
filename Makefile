# The user's entry points. Everything builds in build/; a second run rebuilds only what
# changed.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench test-asan fuzz screenshots install-check deb \
	format format-check clean

all: build

deps:
	@sh scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd examples && ../$(BUILD)/app/morvela

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The real program against the real fcitx5 and IBus, each with Anthy, on a virtual X server
# with a session bus of its own, checked as a user would by typing and reading the clipboard.
.PHONY: test-desktop
test-desktop: build
	@sh scripts/install-deps.sh desktop
	cmake --build $(BUILD) -j $(JOBS) --target morvela_text_peer
	bash scripts/test-desktop.sh $(BUILD)

# The speed figures (medians, off screen) beside the CPython peer, as one table; the JSON
# and the generated inputs stay under $(BUILD)/bench/, the program's messages in bench.log.
bench: build
	mkdir -p $(BUILD)/bench
	cd $(BUILD)/bench && ./morvela_bench --benchmark_repetitions=3 \
	  --benchmark_out=results.json --benchmark_out_format=json 2>bench.log
	python3 bench/peer_cp932.py $(BUILD)/bench/inputs/lists-100000/kao1.txt \
	  > $(BUILD)/bench/peer.json
	python3 bench/report.py $(BUILD)/bench/results.json $(BUILD)/bench/peer.json

# Pictures of the windows under $(BUILD)/screenshots/, drawn off screen with the real fonts.
screenshots: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ./screenshots/morvela_screenshots screenshots

# Installs into a temporary prefix, validates what a desktop reads and starts the result.
install-check: build
	@sh scripts/install-deps.sh install-check
	sh scripts/install-check.sh $(BUILD)

# The Debian package, in $(BUILD)/.
deb: build
	cd $(BUILD) && cpack -G DEB
	dpkg-deb -I $(BUILD)/morvela_*.deb
	dpkg-deb -c $(BUILD)/morvela_*.deb

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
ASAN_BUILD ?= build-asan
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMORVELA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS from its seed corpus in fuzz/corpus/.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZERS = codepage listfile open
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVELA_FUZZ=ON \
	  -DCMAKE_CXX_COMPILER=clang++ -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for target in $(FUZZERS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$target; \
	  echo "== fuzz_$$target, $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/fuzz_$$target- \
	    $(FUZZ_BUILD)/corpus/$$target fuzz/corpus/$$target || exit 1; \
	done

# Every C++ file as .clang-format has it.
SOURCES = $(shell git ls-files '*.cpp' '*.h')
format: deps
	clang-format -i $(SOURCES)
format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
