# Used only by the mutation build tree (tools/mutate.py): each mutant recompiles
# a file or two, and most of that time goes into parsing Qt and GoogleTest, so
# that tree precompiles them once.
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _nanairo_mutate_pch)
function(_nanairo_mutate_pch)
  foreach(core nanairo_types nanairo_persistence nanairo_engine)
    target_precompile_headers(${core} PRIVATE <QtCore/QtCore>)
  endforeach()
  foreach(ui nanairo_windows nanairo_app)
    target_precompile_headers(${ui} PRIVATE <QtWidgets/QtWidgets>)
  endforeach()
  if(TARGET core_tests)
    target_precompile_headers(core_tests PRIVATE <QtCore/QtCore> <gtest/gtest.h>)
    target_precompile_headers(ui_tests PRIVATE <QtWidgets/QtWidgets> <QtTest/QtTest> <gtest/gtest.h>)
  endif()
endfunction()
