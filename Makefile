# The user's entry points. Everything builds in build/; a second run rebuilds only what
# changed.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test screenshots clean

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

# Pictures of the windows under $(BUILD)/screenshots/, drawn off screen with the real fonts.
screenshots: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ./screenshots/morvela_screenshots screenshots

clean:
	rm -rf $(BUILD)
