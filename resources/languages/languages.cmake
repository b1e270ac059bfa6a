# Translation catalogues, built with lrelease and compiled into the program under
# ":/languages/", with Qt's own Chinese catalogue for the widgets' standard texts.
set(ondrix_ts_files
  ${PROJECT_SOURCE_DIR}/resources/languages/Ondrix_en.ts
  ${PROJECT_SOURCE_DIR}/resources/languages/Ondrix_zh.ts)
set(ondrix_lang_dir ${CMAKE_CURRENT_BINARY_DIR}/languages)
file(MAKE_DIRECTORY ${ondrix_lang_dir})
set_source_files_properties(${ondrix_ts_files} PROPERTIES OUTPUT_LOCATION ${ondrix_lang_dir})
qt5_add_translation(ondrix_qm_files ${ondrix_ts_files})

set(ondrix_lang_entries
  "    <file>Ondrix_en.qm</file>\n    <file>Ondrix_zh.qm</file>\n")
# The widgets' own texts are all in qtbase; qt_zh_CN.qm only names the module catalogues.
find_file(ONDRIX_QTBASE_ZH_QM qtbase_zh_CN.qm
  PATHS /usr/share/qt5/translations ${Qt5_DIR}/../../../share/qt5/translations NO_DEFAULT_PATH)
if(ONDRIX_QTBASE_ZH_QM)
  configure_file(${ONDRIX_QTBASE_ZH_QM} ${ondrix_lang_dir}/qtbase_zh_CN.qm COPYONLY)
  string(APPEND ondrix_lang_entries "    <file>qtbase_zh_CN.qm</file>\n")
else()
  message(WARNING "qtbase_zh_CN.qm not found (package qttranslations5-l10n): Qt's own texts stay English in Chinese")
endif()
file(WRITE ${ondrix_lang_dir}/ondrix_languages.qrc.in
  "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/languages\">\n${ondrix_lang_entries}  </qresource>\n</RCC>\n")
configure_file(${ondrix_lang_dir}/ondrix_languages.qrc.in ${ondrix_lang_dir}/ondrix_languages.qrc COPYONLY)

set(ondrix_lang_cpp ${CMAKE_CURRENT_BINARY_DIR}/qrc_ondrix_languages.cpp)
add_custom_command(OUTPUT ${ondrix_lang_cpp}
  COMMAND Qt5::rcc -name ondrix_languages -o ${ondrix_lang_cpp} ${ondrix_lang_dir}/ondrix_languages.qrc
  DEPENDS ${ondrix_qm_files} ${ondrix_lang_dir}/ondrix_languages.qrc
  WORKING_DIRECTORY ${ondrix_lang_dir}
  COMMENT "Compiling the translation catalogues")
set_source_files_properties(${ondrix_lang_cpp} PROPERTIES GENERATED ON SKIP_AUTOGEN ON)
target_sources(ondrix_ui_module PRIVATE ${ondrix_lang_cpp})
