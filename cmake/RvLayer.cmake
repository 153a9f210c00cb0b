# One static library per layer, each with an explicit source list, linking only the layers below it.
# A source that includes a layer above its own fails to link, because that layer's library is not among
# its dependencies.

# rv_core_layer(NAME SOURCES... DEPENDS layers...): a layer without Qt.
function(rv_core_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} PRIVATE rv_warnings)
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

# rv_gui_layer(NAME SOURCES... DEPENDS layers...): a widget layer on Qt 6 Widgets, with moc and rcc.
function(rv_gui_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} Qt6::Widgets PRIVATE rv_warnings)
endfunction()
