# The top-score store, the shared state it reads and writes, and where Windows has no registry the
# stand-in that keeps the registry in a file. Free of Qt, so that the store's own steps also build as
# a Windows program against the real registry, and its file reader as a fuzz target.
add_library(tallyfive_store STATIC
  ${CMAKE_CURRENT_LIST_DIR}/state/modInitialize.cpp
  ${CMAKE_CURRENT_LIST_DIR}/state/modInitialize.h
  ${CMAKE_CURRENT_LIST_DIR}/platform/registry.h
  ${CMAKE_CURRENT_LIST_DIR}/platform/storeLock.h
  ${CMAKE_CURRENT_LIST_DIR}/platform/windows1252.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/windows1252.h
  ${CMAKE_CURRENT_LIST_DIR}/topscores/topScoreStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/topscores/topScoreStore.h)
target_include_directories(tallyfive_store PUBLIC ${CMAKE_CURRENT_LIST_DIR})
if(WIN32)
  target_sources(tallyfive_store PRIVATE ${CMAKE_CURRENT_LIST_DIR}/platform/storeLockWindows.cpp)
  target_link_libraries(tallyfive_store PUBLIC advapi32)
else()
  target_sources(tallyfive_store PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/platform/registryFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/registryFile.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/registryOnDisk.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/registryOnDisk.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/registryStandIn.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/storeLockFile.cpp)
endif()
