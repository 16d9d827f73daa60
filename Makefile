# Entry points for a fresh Debian 12 machine:
#   make demo   installs what is missing, builds, and runs both filters on the sample page
#   make test   installs what is missing, builds and runs the whole test suite twice:
#               optimised, then with AddressSanitizer and UndefinedBehaviorSanitizer;
#               the optimised run also checks the Windows modules, under Wine
#   make install  builds, then installs oxhost, the modules and the swatch files under
#               PREFIX (default /usr/local): PREFIX/bin, PREFIX/lib/oxlen/plugins
#   make windows  builds the Windows modules into dist/windows-x86 and dist/windows-x64
#   make fuzz   builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS
#               (default 300) on a copy of its seed corpus; make fuzz-smoke: 20 s each

BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= 2
DEMO    ?= demo
PACKAGES = cmake g++ make pkg-config libpng-dev libtiff-dev libdeflate-dev libisal-dev zlib1g-dev libjpeg62-turbo-dev libwebp-dev liblcms2-dev libgtest-dev nlohmann-json3-dev libfltk1.3-dev xvfb imagemagick time
# The Windows builds: MinGW-w64 for both targets, Wine to run them (its
# 32-bit half needs the i386 architecture), stb for the Windows host's PNG files.
WINDOWS_PACKAGES = g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 libstb-dev
WINDOWS_ARCHES = x86 x64
TOOLCHAIN_x86 = cmake/toolchains/i686-w64-mingw32.cmake
TOOLCHAIN_x64 = cmake/toolchains/x86_64-w64-mingw32.cmake
# Fuzzing: Debian's clang, and the runtime libraries that hold libFuzzer and
# the sanitizers for it (a package of their own, only recommended by clang).
FUZZ_PACKAGES = clang libclang-rt-14-dev
FUZZ_TARGETS = swatch_palette preferences action_file descriptor_storage image_file
FUZZ_SECONDS ?= 300
# The anchors of `make bench`: Debian's Python with scipy and OpenCV.
BENCH_PACKAGES = python3-scipy python3-opencv
# Extra libFuzzer flags; the smoke run of `make test` fixes the seed so that
# one commit always fuzzes the same inputs.
FUZZ_FLAGS ?=

.PHONY: all deps deps-windows deps-fuzz deps-bench build install demo test test-release test-sanitize bench clean windows \
        fuzz fuzz-smoke

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

deps-fuzz:
	$(call install_missing,$(FUZZ_PACKAGES))

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
	$(BUILD)/release/bin/oxhost flat samples/page-inked.png --composite --layers --out-dir $(DEMO)
	@echo "Virarar:           samples/page.png -> $(DEMO)/page-virarar.png"
	@echo "Tintflood:         samples/page-white.png -> $(DEMO)/page-flats.png"
	@echo "then Virarar:      $(DEMO)/page-flats.png -> $(DEMO)/page-clean.png"
	@echo "flat:              samples/page-inked.png -> $(DEMO)/page-inked-flats.png, -composite.png, .psd"

$(BUILD)/windows-%/CMakeCache.txt:
	cmake -S . -B $(BUILD)/windows-$* -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN_$*)

windows: deps-windows $(foreach arch,$(WINDOWS_ARCHES),$(BUILD)/windows-$(arch)/CMakeCache.txt)
	@for arch in $(WINDOWS_ARCHES); do \
	    cmake --build $(BUILD)/windows-$$arch -j $(JOBS) && \
	    cmake --build $(BUILD)/windows-$$arch --target dist || exit 1; \
	done
	@echo "Windows modules: dist/windows-x86 (32-bit hosts), dist/windows-x64 (64-bit hosts)"

test: deps windows test-release test-sanitize fuzz-smoke

test-release: $(BUILD)/release/CMakeCache.txt
	cmake --build $(BUILD)/release -j $(JOBS)
	cd $(BUILD)/release && ctest --output-on-failure

test-sanitize: $(BUILD)/sanitize/CMakeCache.txt
	cmake --build $(BUILD)/sanitize -j $(JOBS)
	cd $(BUILD)/sanitize && ctest --output-on-failure

$(BUILD)/fuzz/CMakeCache.txt:
	cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DOX_BUILD_FUZZ=ON -DOX_BUILD_TESTS=OFF -DOX_BUILD_BENCH=OFF

# Each target fuzzes a copy of its committed corpus (new inputs it finds stay
# in the build folder); a crash stops with the path of the input that causes it.
fuzz: deps deps-fuzz $(BUILD)/fuzz/CMakeCache.txt
	cmake --build $(BUILD)/fuzz -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for target in $(FUZZ_TARGETS); do \
	    corpus=$(BUILD)/fuzz/corpus/$$target; crashes=$(BUILD)/fuzz/crashes/$$target; \
	    mkdir -p $$corpus $$crashes && cp -r fuzz/corpus/$$target/. $$corpus/ || exit 1; \
	    echo "Fuzzing $$target for $(FUZZ_SECONDS) s"; \
	    if ! $(BUILD)/fuzz/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -timeout=30 $(FUZZ_FLAGS) \
	            -print_final_stats=1 -artifact_prefix=$$crashes/ $$corpus \
	            >$(BUILD)/fuzz/$$target.log 2>&1; then \
	        tail -n 60 $(BUILD)/fuzz/$$target.log; \
	        echo "fuzz_$$target failed; reproducer: $$(sed -n "s/.*Test unit written to //p" $(BUILD)/fuzz/$$target.log | tail -n 1)"; \
	        echo "rerun it with: $(BUILD)/fuzz/fuzz/fuzz_$$target <reproducer>"; \
	        exit 1; \
	    fi; \
	    grep -E "^stat::number_of_executed_units|^Done" $(BUILD)/fuzz/$$target.log; \
	done

fuzz-smoke:
	$(MAKE) fuzz FUZZ_SECONDS=20 FUZZ_FLAGS=-seed=1

bench: deps deps-bench $(BUILD)/release/CMakeCache.txt
	cmake --build $(BUILD)/release -j $(JOBS) --target flatten_bench tintflood_bench \
	    flat_prepare_bench oxhost Virarar Tintflood make_sample_page
	$(BUILD)/release/bench/flatten_bench
	$(BUILD)/release/bench/tintflood_bench
	$(BUILD)/release/bench/flat_prepare_bench
	bench/run-memory.sh $(BUILD)/release/bin
	bench/flat-bench.sh $(BUILD)/release/bin

deps-bench:
	$(call install_missing,$(BENCH_PACKAGES))

clean:
	rm -rf $(BUILD) $(DEMO) dist
