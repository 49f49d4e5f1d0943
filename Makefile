# make demo: closes a real window under Wine.   make test: every test, native and under Wine.
# make bench: size and speed figures against their goals (not a test).
.PHONY: all deps native cross test demo bench clean

all: native cross

deps:
	@tools/install-deps

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

cross: deps
	cmake --preset cross >/dev/null
	cmake --build --preset cross

test: native cross
	ctest --preset native
	ctest --preset cross

demo: cross
	tools/demo

bench: cross
	tools/bench

clean:
	rm -rf build/native build/cross
