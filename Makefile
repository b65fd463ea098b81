BUILD ?= build
JOBS ?= $(shell nproc)
TEST_ENV = QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1

.PHONY: all deps build run test bench clean

all: build

deps:
	@bash scripts/installer-dependances

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Start-up lays down the data folder itself when it is missing.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Pas d'écran : Kerval démarre sous xvfb-run."; \
	  QTWEBENGINE_DISABLE_SANDBOX=1 xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD)/kerval; \
	else \
	  if [ "$$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi; $(BUILD)/kerval; \
	fi

test: build
	cd $(BUILD) && $(TEST_ENV) ctest --output-on-failure -j 4

# Only the benchmark programs: the build folder also holds their bench_*_autogen folders.
bench: build
	@for b in $(BUILD)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; $(TEST_ENV) $$b || exit 1; fi; \
	done

clean:
	rm -rf $(BUILD)
