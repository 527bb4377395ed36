# The Debian package (cpack -G DEB in the build folder). Its dependencies are what the
# programs actually link against, as dpkg-shlibdeps finds them; the Qt platform plugins the
# desktop program loads at run time (xcb, offscreen) come with libqt6gui6 itself.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumbra32)
set(CPACK_PACKAGE_VENDOR Nuvex)
set(CPACK_PACKAGE_CONTACT "Nuvex <lumbra32@nuvex.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Source code structure viewer")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumbra32 reads source files or IDE projects, finds every function and the calls between \
them, counts lines and path numbers, and shows the calling tree as a structure chart. It \
understands C, C++, C#, Java, Visual Basic, Pascal/Delphi and three assembler dialects. The \
package holds the desktop program lumbra32 and the command line lumbra32-cli.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese texts need a font that has them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")
include(CPack)
