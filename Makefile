# Thin wrapper over the CMake presets. Each target installs what it needs first.
.PHONY: all build demo test windows package windows-for-tests sanitize fuzz clean

all: build

build:
	scripts/setup linux
	cmake --preset linux
	cmake --build --preset linux

# The main job: run the plug-in on the stand-in in a temporary game folder.
demo: build
	build/linux/tools/kelvane-sim/kelvane-sim ride

# Every test: the Linux tree's, those of the Windows build under wine, then the Linux
# tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
test: windows-for-tests
	ctest --preset linux
	$(MAKE) --no-print-directory sanitize

# The real Kelvane.asi, the stand-in ScriptHookV.dll and kelvane-sim.exe, in build/windows.
windows:
	scripts/setup windows
	cmake --preset windows
	cmake --build --preset windows

# The players' zip in build/windows; its Kelvane.ini is written by Kelvane.asi under wine.
package: windows
	scripts/setup package
	cmake --build --preset windows --target default_config
	cpack --preset windows

# In CI a missing toolchain or wine fails the build; elsewhere the Windows tests skip.
windows-for-tests: build
	@if [ -n "$$CI" ] || scripts/setup windows package; then \
	    $(MAKE) --no-print-directory package; \
	else \
	    echo "make test: mingw-w64 or wine is missing (scripts/setup windows package): the Windows tests will skip"; \
	fi

# The Linux tests (not the Windows ones) built with clang-14, ASan and UBSan.
sanitize:
	scripts/setup linux sanitize
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

# Fuzzes the configuration reader for FUZZ_SECONDS (default 600). The corpus grows in
# build/sanitize/fuzz/corpus from the seeds in tests/fuzz/seeds; findings land in
# build/sanitize/fuzz/ as crash-* files (replay one: config_fuzzer FILE).
FUZZ_SECONDS ?= 600
fuzz:
	scripts/setup linux sanitize
	cmake --preset sanitize
	cmake --build --preset sanitize --target config_fuzzer
	mkdir -p build/sanitize/fuzz/corpus
	build/sanitize/tests/fuzz/config_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(CURDIR)/build/sanitize/fuzz/ $(CURDIR)/build/sanitize/fuzz/corpus $(CURDIR)/tests/fuzz/seeds

clean:
	rm -rf build
