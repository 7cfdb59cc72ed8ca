# Run at install time, once the prefix is known: the link on the games path, and the menu entry that
# starts the game through it.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${root}/games" "${root}/share/applications")
message(STATUS "Installing: ${root}/games/tallyfive")
file(CREATE_LINK ../lib/tallyfive/tallyfive "${root}/games/tallyfive" SYMBOLIC)
set(EXEC "${CMAKE_INSTALL_PREFIX}/games/tallyfive")
message(STATUS "Installing: ${root}/share/applications/net.brindlow.Tallyfive.desktop")
configure_file("${TALLYFIVE_DATA}/net.brindlow.Tallyfive.desktop.in"
  "${root}/share/applications/net.brindlow.Tallyfive.desktop" @ONLY)
