# The top-score store and the shared state it reads and writes, free of Qt, so that the store's own
# test also builds as a Windows program and runs against the real registry.
add_library(tallyfive_store STATIC
  ${CMAKE_CURRENT_LIST_DIR}/game/modInitialize.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game/modInitialize.h
  ${CMAKE_CURRENT_LIST_DIR}/platform/registry.h
  ${CMAKE_CURRENT_LIST_DIR}/topscores/topScoreStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/topscores/topScoreStore.h)
target_include_directories(tallyfive_store PUBLIC ${CMAKE_CURRENT_LIST_DIR})
if(WIN32)
  target_link_libraries(tallyfive_store PUBLIC advapi32)
else()
  # Where Windows has no registry, a stand-in keeps HKEY_LOCAL_MACHINE in a registry export file.
  add_library(tallyfive_registry STATIC
    ${CMAKE_CURRENT_LIST_DIR}/platform/registryFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/registryFile.h
    ${CMAKE_CURRENT_LIST_DIR}/platform/registryStandIn.cpp)
  target_include_directories(tallyfive_registry PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(tallyfive_registry PUBLIC Qt6::Core)
  target_link_libraries(tallyfive_store PUBLIC tallyfive_registry)
endif()
