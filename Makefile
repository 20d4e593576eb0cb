# Tempiolo: the two everyday commands are `make run` and `make test`.
BUILD_DIR ?= build
ASAN_DIR  ?= build-asan
JOBS      ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test test-asan bench screenshots pictures format clean

all: build

deps:
	@tools/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/tempiolo

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DTEMPIOLO_SANITIZE=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)
	# The real-window scripts are left out: they test timing, not memory.
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen TEMPIOLO_SOAK_EVENTS=20000 \
		TEMPIOLO_LEAK_CYCLES=100 ctest --output-on-failure -j $(JOBS) -LE e2e

bench: build
	tools/bench.sh $(BUILD_DIR)

# Draws the reference pictures of every window anew, after an intended change
# of look: look at each of them before committing them.
pictures: build
	cd $(BUILD_DIR)/tests && QT_QPA_PLATFORM=offscreen TEMPIOLO_WRITE_PICTURES=1 ./tst_pictures

screenshots: build
	tools/screenshots.sh $(BUILD_DIR)/tempiolo docs

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
