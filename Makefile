# Two commands do the whole set-up on a fresh Debian machine:
#   make run    install what is missing, build, start on the simulated board
#               (ARGS="--bus auto" or "--bus linux --i2c /dev/i2c-1": the hardware)
#   make test   install what is missing, build, run every test headless
# Extra: make bench (benchmarks), make test-sanitize (tests under ASan+UBSan),
# make test-vm (the Linux component in a virtual machine), make test-desktop
# (the program in a real X window), make package (the Debian package) and
# make test-package (install it, start it from its menu entry, remove it),
# make fuzz (the parsers of outside input under libFuzzer, 20 s each),
# make test-prometheus (the exporter scraped by Debian's Prometheus).

# qt6-httpserver-dev's CMake files look for Qt WebSockets' own, which its
# package does not bring: qt6-websockets-dev is named beside it.
# gnumeric brings ssconvert, with which a test sees a spreadsheet read the
# chart's saved readings as four columns; dbus a session bus of the tests'
# own, on which the desktop notifications are recorded. qt6-l10n-tools
# builds and checks the catalogues; qt6-translations-l10n holds Qt's own.
PACKAGES := g++ cmake ninja-build qt6-base-dev qt6-svg-dev qt6-httpserver-dev qt6-websockets-dev libi2c-dev linux-libc-dev xvfb xauth fonts-dejavu-core \
            desktop-file-utils appstream gnumeric dbus qt6-l10n-tools qt6-translations-l10n
BUILD    ?= build
JOBS     ?= 2
WERROR   := $(if $(filter true 1,$(CI)),ON,OFF)

.PHONY: run test bench test-sanitize deps build clean

deps:
	@bash tools/packages.sh make $(PACKAGES)

# Configured once; an existing build is only brought up to date (CMake
# re-runs itself when a CMakeLists.txt changes).
$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORT_WERROR=$(WERROR) $(SANITIZE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# The last --bus wins, so ARGS may ask for the hardware.
run: build
	./$(BUILD)/ort310eval --bus sim $(ARGS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Only the benchmark programs: not the galleries, not the build's own folders.
bench: build
	@status=0; for b in $(BUILD)/bench/*/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then QT_QPA_PLATFORM=offscreen "$$b" || status=1; fi; \
	done; exit $$status

test-sanitize:
	$(MAKE) test BUILD=build-sanitize SANITIZE_FLAGS=-DORT_SANITIZE=ON

clean:
	rm -rf build build-sanitize build-fuzz

# The Linux component against the distribution's kernel in a virtual machine
# (QEMU, i2c-stub, a printer port); prints SKIP where QEMU or the kernel
# package cannot be had. See tests/vm/run-vm.sh.
.PHONY: test-vm
test-vm: build
	bash tests/vm/run-vm.sh $(BUILD)

# The program under Xvfb and openbox, driven by xdotool as a person does;
# prints SKIP where Xvfb cannot start. See tests/desktop/run-xvfb.sh.
.PHONY: test-desktop
test-desktop: build
	bash tests/desktop/run-xvfb.sh $(BUILD)

# The Debian package, BUILD/ort310eval_<version>_<arch>.deb; dpkg-shlibdeps
# (dpkg-dev) finds the libraries it depends on.
.PHONY: package test-package
# help2man writes the manual pages from --help; the build is configured
# again so that it finds help2man when it was only now installed.
package: build
	@bash tools/packages.sh package dpkg-dev help2man lintian
	cmake $(BUILD) >/dev/null
	cmake --build $(BUILD) --target package

# systemd brings systemd-analyze, which checks the exporter's service.
test-package: package
	@bash tools/packages.sh test-package systemd
	bash tests/desktop/check-package.sh $(BUILD)

# The exporter under Debian's own Prometheus: the shipped rules and their
# unit tests through promtool, and two exporters scraped by a Prometheus
# started for the test; prints SKIP where Prometheus cannot be had. See
# tests/prometheus/run-prometheus.sh.
.PHONY: test-prometheus
test-prometheus: build
	@bash tools/packages.sh test-prometheus prometheus curl || echo "test-prometheus: prometheus could not be installed"
	@bash tests/prometheus/run-prometheus.sh $(BUILD) || [ $$? = 77 ]

# Every parser of outside input under libFuzzer with the sanitizers, built
# with clang in build-fuzz; FUZZ_SECONDS (default 20) each. See fuzz/run-fuzz.sh.
.PHONY: fuzz
fuzz:
	JOBS=$(JOBS) bash fuzz/run-fuzz.sh build-fuzz
