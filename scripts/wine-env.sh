# The Wine settings of the scripts that run our Windows executables (sourced
# from the checkout's top folder): a 64-bit prefix inside the Windows build
# folder, where the 32-bit executables run through WoW64 as on 64-bit
# Windows, with no display and neither Mono nor Gecko.
export WINEPREFIX="$PWD/build-windows/wine-prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
