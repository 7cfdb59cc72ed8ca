# Run at install time, once the prefix is known: the links the game starts through, and the menu entry
# that starts it through the one on the games path. Each is made in the build folder and installed from
# there like any file, so that it and its folders get the usual modes whatever the umask.
set(EXEC "${CMAKE_INSTALL_PREFIX}/games/tallyfive")
# Made afresh: what an install with sudo left there may belong to root.
file(REMOVE "${TALLYFIVE_STAGE}/net.brindlow.Tallyfive.desktop" "${TALLYFIVE_STAGE}/tallyfive")
configure_file("${TALLYFIVE_DATA}/net.brindlow.Tallyfive.desktop.in"
  "${TALLYFIVE_STAGE}/net.brindlow.Tallyfive.desktop" @ONLY)
file(CREATE_LINK ../lib/tallyfive/tallyfive "${TALLYFIVE_STAGE}/tallyfive" SYMBOLIC)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
  FILES "${TALLYFIVE_STAGE}/net.brindlow.Tallyfive.desktop")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/games" TYPE FILE FILES "${TALLYFIVE_STAGE}/tallyfive")
# /usr/games is on every user's path; the games folder of any other prefix, such as ~/.local, is on
# nobody's, but its bin folder is, and man finds the manual page beside it.
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/bin" TYPE FILE FILES "${TALLYFIVE_STAGE}/tallyfive")
endif()
