# rv_core_layer(NAME SOURCES...): one static library of the core (no Qt), with the project's warnings
# and src/ as include root.
function(rv_core_layer name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE rv_warnings)
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

# rv_gui_sources(SOURCES...): widget sources of the calling folder, built into rv_gui.
function(rv_gui_sources)
  if(TARGET rv_gui)
    target_sources(rv_gui PRIVATE ${ARGN})
  endif()
endfunction()
