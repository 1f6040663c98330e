# Thin wrapper over the CMake presets. Each target installs what it needs first.
.PHONY: all build demo test windows sanitize clean

all: build

build:
	scripts/setup linux
	cmake --preset linux
	cmake --build --preset linux

# The main job: run the plug-in on the stand-in in a temporary game folder.
demo: build
	build/linux/tools/kelvane-sim/kelvane-sim ride

test: build
	ctest --preset linux

# The real Kelvane.asi, the stand-in ScriptHookV.dll and kelvane-sim.exe, in build/windows.
windows:
	scripts/setup windows
	cmake --preset windows
	cmake --build --preset windows

sanitize:
	scripts/setup linux sanitize
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

clean:
	rm -rf build
