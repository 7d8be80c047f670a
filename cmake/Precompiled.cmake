# Precompiled headers: the standard, Qt and test headers nearly every file of ours
# includes, compiled once per kind of target and reused by every target of that kind.
# Our own headers stay out, so touching one rebuilds only the files that include it.
set(ZARVO_PCH_CORE <algorithm> <array> <cstdint> <cstdio> <cstdlib> <cstring> <functional>
    <memory> <optional> <utility> <vector> <QByteArray> <QCoreApplication> <QDir>
    <QElapsedTimer> <QFile> <QFileInfo> <QObject> <QPointer> <QString> <QStringList> <QTimer>)
set(ZARVO_PCH_WIDGETS ${ZARVO_PCH_CORE} <QApplication> <QCursor> <QGuiApplication> <QImage>
    <QKeyEvent> <QMouseEvent> <QPainter> <QPixmap> <QWidget>)
set(ZARVO_PCH_TESTS ${ZARVO_PCH_WIDGETS} <gtest/gtest.h> <gmock/gmock.h>)

# zarvo_pch_kind(KIND HEADERS LIBS...): the target whose precompiled header the targets of
# that kind reuse.
function(zarvo_pch_kind kind headers)
  add_library(zarvo_pch_${kind} OBJECT ${PROJECT_SOURCE_DIR}/cmake/Precompiled.cpp)
  target_link_libraries(zarvo_pch_${kind} PRIVATE ${ARGN})
  target_precompile_headers(zarvo_pch_${kind} PRIVATE ${${headers}})
  zarvo_warnings(zarvo_pch_${kind})
endfunction()

# zarvo_precompiled(TARGET KIND): TARGET compiles with the precompiled headers of KIND
# (core: Qt Core and Gui; widgets: and Qt Widgets; tests: and GoogleTest).
function(zarvo_precompiled target kind)
  target_precompile_headers(${target} REUSE_FROM zarvo_pch_${kind})
endfunction()

# zarvo_unity(TARGET): TARGET compiles its files in groups of eight, each group as one
# translation unit. Test fixtures in anonymous namespaces then sit in "headers" for the
# compiler, hence the warning turned off.
# Files whose helpers share names with another file's stay out of the groups.
set(ZARVO_UNITY_ALONE FlatEditTest.cpp FlatHintTest.cpp ZlibStreamTest.cpp SkinMainMenuBarTest.cpp)
function(zarvo_unity target)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  get_target_property(sources ${target} SOURCES)
  foreach(source ${sources})
    get_filename_component(name ${source} NAME)
    if(name IN_LIST ZARVO_UNITY_ALONE)
      set_source_files_properties(${source} TARGET_DIRECTORY ${target}
                                  PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endforeach()
endfunction()
