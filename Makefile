# Entry points for a newcomer: `make demo` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
WERROR     ?= OFF
CMAKE_TYPE ?= RelWithDebInfo

.PHONY: bootstrap configure build test test-sanitize demo bench clean

bootstrap:
	@bash scripts/bootstrap

configure:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(CMAKE_TYPE) -DQORA_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: bootstrap build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: bootstrap
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQORA_SANITIZE=ON -DQORA_WERROR=$(WERROR) -DQORA_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

demo: bootstrap build
	@bash scripts/demo $(BUILD)

# The reference workload at BENCH_EMPLOYEES employees (14 shifts each);
# `make bench BENCH_EMPLOYEES=10000` runs the full size.
BENCH_EMPLOYEES ?= 500

bench: bootstrap build
	@$(BUILD)/bin/qora_bench
	@QORA_BENCH_EMPLOYEES=$(BENCH_EMPLOYEES) $(BUILD)/bin/qora_reference_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
