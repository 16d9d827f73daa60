# Entry points for a fresh Debian 12 machine:
#   make demo   installs what is missing, builds, and runs both filters on the sample page
#   make test   installs what is missing, builds and runs the whole test suite twice:
#               optimised, then with AddressSanitizer and UndefinedBehaviorSanitizer

BUILD   ?= build
JOBS    ?= 2
DEMO    ?= demo
PACKAGES = cmake g++ make pkg-config libpng-dev libtiff-dev liblcms2-dev libgtest-dev nlohmann-json3-dev libfltk1.3-dev xvfb

.PHONY: all deps build demo test test-release test-sanitize bench clean

all: build

deps:
	@missing=""; \
	for package in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$package 2>/dev/null | grep -q "install ok installed" \
	        || missing="$$missing $$package"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	    $$sudo apt-get update && \
	    DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y --no-install-recommends $$missing; \
	fi

$(BUILD)/release/CMakeCache.txt:
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release

$(BUILD)/sanitize/CMakeCache.txt:
	cmake -S . -B $(BUILD)/sanitize -DCMAKE_BUILD_TYPE=Debug -DOX_SANITIZE=ON -DOX_BUILD_BENCH=OFF

build: deps $(BUILD)/release/CMakeCache.txt
	cmake --build $(BUILD)/release -j $(JOBS)

demo: deps $(BUILD)/release/CMakeCache.txt
	cmake --build $(BUILD)/release -j $(JOBS) --target oxhost
	@mkdir -p $(DEMO)
	$(BUILD)/release/bin/oxhost run virarar samples/page.png $(DEMO)/page-virarar.png
	$(BUILD)/release/bin/oxhost run tintflood samples/page-white.png $(DEMO)/page-flats.png \
	    --palette "Light Flats" --tolerance 40 --join 10
	$(BUILD)/release/bin/oxhost run virarar $(DEMO)/page-flats.png $(DEMO)/page-clean.png
	@echo "Virarar:           samples/page.png -> $(DEMO)/page-virarar.png"
	@echo "Tintflood:         samples/page-white.png -> $(DEMO)/page-flats.png"
	@echo "then Virarar:      $(DEMO)/page-flats.png -> $(DEMO)/page-clean.png"

test: deps test-release test-sanitize

test-release: $(BUILD)/release/CMakeCache.txt
	cmake --build $(BUILD)/release -j $(JOBS)
	cd $(BUILD)/release && ctest --output-on-failure

test-sanitize: $(BUILD)/sanitize/CMakeCache.txt
	cmake --build $(BUILD)/sanitize -j $(JOBS)
	cd $(BUILD)/sanitize && ctest --output-on-failure

bench: deps $(BUILD)/release/CMakeCache.txt
	cmake --build $(BUILD)/release -j $(JOBS) --target flatten_bench tintflood_bench oxhost
	$(BUILD)/release/bench/flatten_bench
	$(BUILD)/release/bench/tintflood_bench

clean:
	rm -rf $(BUILD) $(DEMO)
