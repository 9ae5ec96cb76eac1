# The two front doors: `make run` builds and starts the tool, `make test` builds it and runs
# every test. Both install what they need first (scripts/setup.sh).
.PHONY: all setup build run test bench dist dist-check fuzz format lint mutants-windows clean
all: build
setup:
	bash scripts/setup.sh
build:
	bash scripts/build.sh
run:
	bash scripts/run.sh
test:
	bash scripts/test.sh
dist:
	bash scripts/dist.sh
dist-check:
	bash scripts/dist-check.sh $(SUMS)
bench:
	bash scripts/bench.sh
fuzz:
	bash scripts/setup.sh
	bash scripts/fuzz.sh
format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
lint:
	bash scripts/lint.sh
mutants-windows:
	bash scripts/mutants-windows.sh
clean:
	rm -rf build
