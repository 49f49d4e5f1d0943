# make demo: closes a real window under Wine.   make test: every test, native and under Wine.
# make fuzz: each fuzz target for FUZZ_SECONDS (default 300; make -j2 runs two at once); inputs that
# reach new code are added to tests/fuzz/corpus.
# make bench: size and speed figures against their goals (not a test).
# make dist: the release package, dist/quellix-VERSION-win64.zip.
# make mutants: the faults of tests/mutants.txt one at a time against the tests (not a test);
# MUTANTS=3,7 runs only those.
.PHONY: all deps native fuzzers cross cross-clang test fuzz demo bench dist clean mutants

FUZZ_SECONDS ?= 300
FUZZ_RUNS := $(addprefix fuzz-,cmdline wildcard newlines json)
.PHONY: $(FUZZ_RUNS)

all: native fuzzers cross cross-clang

deps:
	@tools/install-deps

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

fuzzers: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz

cross: deps
	cmake --preset cross >/dev/null
	cmake --build --preset cross

cross-clang: deps
	cmake --preset cross-clang >/dev/null
	cmake --build --preset cross-clang

test: native fuzzers cross cross-clang
	ctest --preset native
	ctest --preset fuzz
	ctest --preset cross-clang
	ctest --preset cross

fuzz: $(FUZZ_RUNS)

$(FUZZ_RUNS): fuzz-%: fuzzers
	tests/fuzz/run-fuzzer.sh --merge build/fuzz/bin/fuzz_$* $(FUZZ_SECONDS)

demo: cross
	tools/demo

bench: cross
	tools/bench

dist: cross
	cmake --build --preset cross --target dist

mutants: deps
	tools/mutants $(if $(MUTANTS),--only $(MUTANTS))

clean:
	rm -rf build/native build/fuzz build/cross build/cross-clang dist
