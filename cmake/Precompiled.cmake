# Precompiled headers: the standard, Qt and test headers nearly every file of ours
# includes, compiled once per kind of target and reused by every target of that kind.
# Our own headers stay out, so touching one rebuilds only the files that include it.
set(ZARVO_PCH_CORE <algorithm> <array> <cstdint> <cstdio> <cstdlib> <cstring> <functional>
    <memory> <optional> <utility> <vector> <QByteArray> <QCoreApplication> <QDir>
    <QElapsedTimer> <QFile> <QFileInfo> <QObject> <QPointer> <QString> <QStringList> <QTimer>)
set(ZARVO_PCH_WIDGETS ${ZARVO_PCH_CORE} <QApplication> <QCursor> <QGuiApplication> <QImage>
    <QKeyEvent> <QMouseEvent> <QPainter> <QPixmap> <QWidget>)
set(ZARVO_PCH_TESTS ${ZARVO_PCH_WIDGETS} <gtest/gtest.h> <gmock/gmock.h>)

# zarvo_pch_kind(KIND HEADERS LIBS...): what the precompiled header of that kind holds and
# is compiled against. Its target is made when a target first asks for it.
function(zarvo_pch_kind kind headers)
  set_property(GLOBAL PROPERTY ZARVO_PCH_${kind}_HEADERS ${${headers}})
  set_property(GLOBAL PROPERTY ZARVO_PCH_${kind}_LIBS ${ARGN})
endfunction()

# zarvo_precompiled(TARGET KIND): TARGET compiles with the precompiled headers of KIND
# (core: Qt Core and Gui; widgets: and Qt Widgets; tests: and GoogleTest). A target with
# hidden visibility (set before this call) gets a header compiled with hidden visibility
# too: clang refuses a precompiled header whose visibility differs from the file's.
function(zarvo_precompiled target kind)
  get_target_property(visibility ${target} CXX_VISIBILITY_PRESET)
  set(variant ${kind})
  if(visibility STREQUAL "hidden")
    set(variant ${kind}_hidden)
  endif()
  if(NOT TARGET zarvo_pch_${variant})
    get_property(headers GLOBAL PROPERTY ZARVO_PCH_${kind}_HEADERS)
    get_property(libs GLOBAL PROPERTY ZARVO_PCH_${kind}_LIBS)
    add_library(zarvo_pch_${variant} OBJECT ${PROJECT_SOURCE_DIR}/cmake/Precompiled.cpp)
    target_link_libraries(zarvo_pch_${variant} PRIVATE ${libs})
    target_precompile_headers(zarvo_pch_${variant} PRIVATE ${headers})
    if(visibility STREQUAL "hidden")
      set_target_properties(zarvo_pch_${variant} PROPERTIES
        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    endif()
    # Without the headers' times in it, a header compiled in another checkout and handed
    # over by the compiler cache is accepted here.
    target_compile_options(zarvo_pch_${variant} PRIVATE
                           "$<$<CXX_COMPILER_ID:Clang>:SHELL:-Xclang -fno-pch-timestamp>")
    zarvo_warnings(zarvo_pch_${variant})
  endif()
  target_precompile_headers(${target} REUSE_FROM zarvo_pch_${variant})
endfunction()

# zarvo_unity(TARGET): TARGET compiles its files in groups of eight, each group as one
# translation unit. Test fixtures in anonymous namespaces then sit in "headers" for the
# compiler, hence GCC's warning about them turned off (clang has none).
# Files whose helpers share names with another file's stay out of the groups.
set(ZARVO_UNITY_ALONE FlatEditTest.cpp FlatHintTest.cpp ZlibStreamTest.cpp SkinMainMenuBarTest.cpp
    ButtonScrollParts.cpp InstallPlaceholder.cpp)
function(zarvo_unity target)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
  get_target_property(sources ${target} SOURCES)
  foreach(source ${sources})
    get_filename_component(name ${source} NAME)
    if(name IN_LIST ZARVO_UNITY_ALONE)
      set_source_files_properties(${source} TARGET_DIRECTORY ${target}
                                  PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endforeach()
endfunction()
