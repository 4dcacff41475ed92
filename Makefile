# Two entry points for a fresh Debian machine:
#   make run   installs what is missing, builds and starts the editor
#   make test  installs what is missing, builds and runs every test
BUILD ?= build


.PHONY: setup configure build run test clean

setup:
	@scripts/setup-debian.sh

configure: setup
	cmake -S . -B $(BUILD) -G "$(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo 'Unix Makefiles')" -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) --parallel

run: build
	$(BUILD)/tools/torqlet-cli info resources/nyc.gci

test: build
	ctest --test-dir $(BUILD) --output-on-failure --parallel 2

clean:
	rm -rf $(BUILD)
