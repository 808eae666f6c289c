# Run by `cmake --install`: writes the desktop entry with the program's full installed path.
# FB_DESKTOP_ENTRY_IN, FB_BINDIR and FB_DATADIR are set by the install step before it.
file(READ "${FB_DESKTOP_ENTRY_IN}" entry)
if(IS_ABSOLUTE "${FB_BINDIR}")
  set(program "${FB_BINDIR}/fishbone-gui")
else()
  set(program "${CMAKE_INSTALL_PREFIX}/${FB_BINDIR}/fishbone-gui")
endif()
# The desktop entry's Exec splits at spaces unless the argument is quoted.
if(program MATCHES "[ \t\"\\`$]")
  string(REGEX REPLACE "([\"\\`$])" "\\\\\\1" program "${program}")
  set(program "\"${program}\"")
endif()
string(REPLACE "@FB_GUI_INSTALLED_PROGRAM@" "${program}" entry "${entry}")
set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${FB_DATADIR}/applications/fishbone-gui.desktop")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${entry}")
