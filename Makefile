# Two commands are all a new machine needs: `make run` and `make test`.
# Both install what is missing first, then configure and build.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
MUTATE_BUILD ?= build-mutate
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test asan bench fuzz mutate art shot clean

all: build

deps:
	@./tools/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "nanairobako is a desktop game and needs a graphical desktop (no DISPLAY is set)."; \
	  echo "On a machine without one, run it under a virtual display:"; \
	  echo "  apt-get install xvfb && xvfb-run -a $(BUILD)/bin/nanairobako"; \
	  exit 1; \
	fi
	./$(BUILD)/bin/nanairobako

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNANAIRO_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS) --target nanairo_bench
	./$(BUILD)/bin/nanairo_bench

FUZZ_SECONDS ?= 60
fuzz:
	@./tools/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNANAIRO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target egg_reader_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus
	./$(FUZZ_BUILD)/bin/egg_reader_fuzz -max_total_time=$(FUZZ_SECONDS) $(FUZZ_BUILD)/corpus fuzz/corpus

# Plants one fault at a time and checks the tests notice (tools/mutate.py);
# e.g. `make mutate ARGS="--limit 200 --seed 1"`. The full set takes hours.
ARGS ?=
mutate:
	@./tools/install-deps.sh mutate
	python3 tools/mutate.py --build $(MUTATE_BUILD) --jobs $(JOBS) $(ARGS)

# Redraws the character's frames into assets/ (they are committed; the game
# never needs this step).
art: build
	./$(BUILD)/bin/draw_art assets

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(MUTATE_BUILD)
