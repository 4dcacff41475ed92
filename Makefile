# Two entry points for a fresh Debian machine:
#   make run   installs what is missing, builds and starts the editor
#   make test  installs what is missing, builds and runs every test, checks
#              the Debian package (lintian included), then builds and runs
#              the tests again with AddressSanitizer and
#              UndefinedBehaviorSanitizer in a second build folder
BUILD ?= build
SANITIZE_BUILD ?= build-asan
GENERATOR = $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo 'Unix Makefiles')


.PHONY: setup configure build run test test-sanitized package clean

setup:
	@scripts/setup-debian.sh

configure: setup
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) --parallel

run: build
	$(BUILD)/app/torqlet

test: build
	ctest --test-dir $(BUILD) --output-on-failure --parallel 2
	BUILD=$(BUILD) scripts/check-package.sh
	$(MAKE) --no-print-directory test-sanitized

# Any memory error, leak or undefined behaviour stops the test that meets it.
test-sanitized: setup
	cmake -S . -B $(SANITIZE_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTORQLET_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) --parallel
	ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure --parallel 2

# A Debian package of the release build, written to $(BUILD)/torqlet_VERSION-1_ARCH.deb;
# scripts/check-package.sh inspects it and tries it out.
package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
