# The two front doors: `make run` builds and starts the tool, `make test` builds it and runs
# every test. Both install what they need first (scripts/setup.sh).
.PHONY: all setup build run test bench dist format clean
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
bench:
	bash scripts/bench.sh
format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
clean:
	rm -rf build
