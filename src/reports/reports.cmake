# The report writer, its pictures and the report browser.
target_sources(postrix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TReportsFrm.h
    ${CMAKE_CURRENT_LIST_DIR}/TReportsFrm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReportPictures.h
    ${CMAKE_CURRENT_LIST_DIR}/ReportPictures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../resources/reports.qrc)
target_sources(postrix_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TReportsListFrm.h
    ${CMAKE_CURRENT_LIST_DIR}/TReportsListFrm.cpp)

# Writes a sample report for looking at it in a browser (scripts/render-reports).
add_executable(postrix_report_sample ${CMAKE_CURRENT_LIST_DIR}/ReportSample.cpp)
target_link_libraries(postrix_report_sample PRIVATE postrix_core)

# Redraws resources/reports/*.jpg; not part of the build.
add_executable(postrix_draw_report_pictures EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/DrawReportPictures.cpp)
target_link_libraries(postrix_draw_report_pictures PRIVATE postrix_common Qt6::Gui)
