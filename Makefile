# Entry points for a fresh Debian 12 machine:
#   make demo   installs what is missing, builds, and runs both filters on the sample page
#   make test   installs what is missing, builds and runs the whole test suite twice:
#               optimised, then with AddressSanitizer and UndefinedBehaviorSanitizer;
#               the optimised run also checks the Windows modules, under Wine
#   make install  builds, then installs oxhost, the modules and the swatch files under
#               PREFIX (default /usr/local): PREFIX/bin, PREFIX/lib/oxlen/plugins
#   make windows  builds the Windows modules into dist/windows-x86 and dist/windows-x64

BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= 2
DEMO    ?= demo
PACKAGES = cmake g++ make pkg-config libpng-dev libtiff-dev liblcms2-dev libgtest-dev nlohmann-json3-dev libfltk1.3-dev xvfb
# The Windows builds: MinGW-w64 for both targets, Wine to run them (its
# 32-bit half needs the i386 architecture), stb for the Windows host's PNG files.
WINDOWS_PACKAGES = g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 libstb-dev
WINDOWS_ARCHES = x86 x64
TOOLCHAIN_x86 = cmake/toolchains/i686-w64-mingw32.cmake
TOOLCHAIN_x64 = cmake/toolchains/x86_64-w64-mingw32.cmake

.PHONY: all deps deps-windows build install demo test test-release test-sanitize bench clean windows

all: build

# Installs the Debian packages of $(1) that are missing.
define install_missing
	@missing=""; \
	for package in $(1); do \
	    dpkg-query -W -f='$${Status}' $$package 2>/dev/null | grep -q "install ok installed" \
	        || missing="$$missing $$package"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	    case "$$missing" in *:i386*) dpkg --print-foreign-architectures | grep -qx i386 \
	        || $$sudo dpkg --add-architecture i386;; esac; \
	    $$sudo apt-get update && \
	    DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

deps-windows:
	$(call install_missing,$(WINDOWS_PACKAGES))

# The Linux release build knows where the Windows builds are, for its Wine tests.
$(BUILD)/release/CMakeCache.txt:
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release \
	    -DOX_WINDOWS_X86_BIN=$(CURDIR)/$(BUILD)/windows-x86/bin \
	    -DOX_WINDOWS_X64_BIN=$(CURDIR)/$(BUILD)/windows-x64/bin

$(BUILD)/sanitize/CMakeCache.txt:
	cmake -S . -B $(BUILD)/sanitize -DCMAKE_BUILD_TYPE=Debug -DOX_SANITIZE=ON -DOX_BUILD_BENCH=OFF

build: deps $(BUILD)/release/CMakeCache.txt
	cmake --build $(BUILD)/release -j $(JOBS)

install: build
	cmake --install $(BUILD)/release --prefix $(PREFIX)

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

$(BUILD)/windows-%/CMakeCache.txt:
	cmake -S . -B $(BUILD)/windows-$* -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN_$*)

windows: deps-windows $(foreach arch,$(WINDOWS_ARCHES),$(BUILD)/windows-$(arch)/CMakeCache.txt)
	@for arch in $(WINDOWS_ARCHES); do \
	    cmake --build $(BUILD)/windows-$$arch -j $(JOBS) && \
	    cmake --build $(BUILD)/windows-$$arch --target dist || exit 1; \
	done
	@echo "Windows modules: dist/windows-x86 (32-bit hosts), dist/windows-x64 (64-bit hosts)"

test: deps windows test-release test-sanitize

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
	rm -rf $(BUILD) $(DEMO) dist
