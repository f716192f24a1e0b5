# German federation DSV7 lists from the shared real files, where they are present.
set(DSV ${LANESCOPE_SHARED_TESTDATA}/dsv)
if(EXISTS ${DSV}/b-csc-2026-02-22-Gersthof-Pr.dsv7)
    # A swim ranked in its year (place 1) and in the open class (place 97) shows in both lists.
    add_test(NAME cli.dsv7_list_year_ranking
             COMMAND lanescope-cli list ${DSV}/b-csc-2026-02-22-Gersthof-Pr.dsv7 --event 1 --age-group 100013)
    set_tests_properties(cli.dsv7_list_year_ranking PROPERTIES LABELS integration
        PASS_REGULAR_EXPRESSION "Jahrgang 2016.*\t1\\.\tZiegler Mia, 16\tSV Augsburg 1911\t 1:22\\.34")
    add_test(NAME cli.dsv7_list_open_ranking
             COMMAND lanescope-cli list ${DSV}/b-csc-2026-02-22-Gersthof-Pr.dsv7 --event 1 --age-group 100012)
    set_tests_properties(cli.dsv7_list_open_ranking PROPERTIES LABELS integration
        PASS_REGULAR_EXPRESSION "Offene Wertung.*\t97\\.\tZiegler Mia, 16\tSV Augsburg 1911\t 1:22\\.34")

    # A relay of a masters meet with its four swimmers and their leg times.
    add_test(NAME cli.dsv7_list_relay_legs
             COMMAND lanescope-cli list ${DSV}/dachau-2025-02-23-Dachau-Pr.dsv7 --event 21 --age-group 22020000
                     --splits)
    set_tests_properties(cli.dsv7_list_relay_legs PROPERTIES LABELS integration
        PASS_REGULAR_EXPRESSION "Herrmann Carla.*46\\.95.*Busch Emma.*49\\.21.*Fischer Carla.*37\\.09.*Otto Ruben.*200m:\t 2:48\\.17\t\\(34\\.92\\)")

    if(QPDF AND PDFTOTEXT)
        add_test(NAME cli.dsv7_export_pdf
                 COMMAND lanescope-cli export ${DSV}/b-csc-2026-02-22-Gersthof-Pr.dsv7 --event 1 --age-group 100013
                         --splits --pdf ${CMAKE_CURRENT_BINARY_DIR}/dsv7.pdf)
        set_tests_properties(cli.dsv7_export_pdf PROPERTIES LABELS integration)
        add_test(NAME cli.dsv7_export_pdf_content
                 COMMAND sh -c "qpdf --check \"$1\" >/dev/null && pdftotext -layout \"$1\" -"
                         sh ${CMAKE_CURRENT_BINARY_DIR}/dsv7.pdf)
        set_tests_properties(cli.dsv7_export_pdf_content PROPERTIES LABELS integration DEPENDS cli.dsv7_export_pdf
            PASS_REGULAR_EXPRESSION "Gersthofen.*Jahrgang 2016.*SV Fürstenfeldbrucker.*1:26\\.84")
    endif()
endif()
