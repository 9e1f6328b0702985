# Two commands are all a new machine needs: `make run` and `make test`.
# Both install what is missing first, then configure and build.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
MUTATE_BUILD ?= build-mutate
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test package asan bench fuzz stress mutate shot art clean

all: build

deps:
	@./tools/install-deps.sh

# The build says nothing unless something is wrong: warnings and errors only.
QUIET_CMAKE = -DCMAKE_RULE_MESSAGES=OFF -DCMAKE_TARGET_MESSAGES=OFF
QUIET_BUILD = -- --no-print-directory -s

$(BUILD)/CMakeCache.txt: | deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(QUIET_CMAKE) $(CMAKE_ARGS) >/dev/null

# Options given as CMAKE_ARGS reach a build tree that already existed too
# (e.g. `make test CMAKE_ARGS=-DNANAIRO_WERROR=ON`); they stay in its cache.
configure: $(BUILD)/CMakeCache.txt
ifneq ($(and $(strip $(CMAKE_ARGS)),$(wildcard $(BUILD)/CMakeCache.txt)),)
	@cmake -S . -B $(BUILD) $(QUIET_CMAKE) $(CMAKE_ARGS) >/dev/null
endif

build: deps configure
	@cmake --build $(BUILD) -j $(JOBS) $(QUIET_BUILD)

# Builds the game alone, not the tests and tools.
run: deps configure
	@cmake --build $(BUILD) -j $(JOBS) --target nanairobako $(QUIET_BUILD)
	./$(BUILD)/bin/nanairobako

# Prints the failures with their output and the summary; the passing tests
# stay in $(BUILD)/Testing/Temporary/LastTest.log.
RUN_TESTS = QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) > ctest.out 2>&1; \
	  status=$$?; grep -Ev '^ +Start |Passed +[0-9.]+ sec$$|^Test project|XDG_RUNTIME_DIR not set' ctest.out; \
	  exit $$status
test: build
	@cd $(BUILD) && $(RUN_TESTS)

# A Debian package of the game (build/nanairobako_<version>_<arch>.deb),
# installed with `apt-get install ./build/nanairobako_*.deb`.
package: build
	@cd $(BUILD) && cpack -G DEB > cpack.out 2>&1 || { cat cpack.out; exit 1; }
	@ls $(BUILD)/nanairobako_*.deb

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNANAIRO_SANITIZE=ON -DNANAIRO_BENCH=OFF \
	  $(QUIET_CMAKE) $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) $(QUIET_BUILD)
	@cd $(ASAN_BUILD) && $(RUN_TESTS)

bench: deps
	@./tools/install-deps.sh bench
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS) --target nanairo_bench nanairo_window_bench nanairo_journal_bench \
	  nanairo_file_window_x_bench
	./$(BUILD)/bin/nanairo_bench
	./$(BUILD)/bin/nanairo_window_bench
	./$(BUILD)/bin/nanairo_journal_bench
	./tools/file-window-bench.sh $(BUILD)/bin

# Kills real saves at random moments, several hundred times, and checks the
# file after each (stress/save_kill.cpp); then kills a game teaching words
# and saving, a thousand times for each of three seeds, and checks that each
# next start takes back every word it had shown (stress/journal_kill.cpp).
# Too slow for `make test`.
STRESS_ROUNDS ?= 600
JOURNAL_KILLS ?= 1000
stress: build
	./$(BUILD)/bin/nanairo_stress $(STRESS_ROUNDS)
	for seed in 1 2 3; do ./$(BUILD)/bin/nanairo_journal_stress $(JOURNAL_KILLS) $$seed || exit 1; done

FUZZ_SECONDS ?= 60
fuzz:
	@./tools/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNANAIRO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target egg_reader_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus
	./$(FUZZ_BUILD)/bin/egg_reader_fuzz -max_total_time=$(FUZZ_SECONDS) $(FUZZ_BUILD)/corpus fuzz/corpus

# Retakes docs/screenshot.png, the game on a virtual display.
shot: build
	@./tools/install-deps.sh shot
	./tools/screenshot.sh docs/screenshot.png

# Plants one fault at a time and checks the tests notice (tools/mutate.py):
# a sample of 300 for each of two seeds, each scored, so the two scores show
# how much the sample alone moves it. Override with e.g.
# `make mutate ARGS="--files 'engine/*.cpp'"`. The full set takes hours.
ARGS ?= --limit 300 --seeds 1,2
mutate:
	@./tools/install-deps.sh mutate
	python3 tools/mutate.py --build $(MUTATE_BUILD) --jobs $(JOBS) $(ARGS)

# Redraws the character's frames into assets/ (they are committed; the game
# never needs this step).
art: build
	./$(BUILD)/bin/draw_art assets

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(MUTATE_BUILD)
