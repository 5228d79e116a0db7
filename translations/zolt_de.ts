<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>TAllCalibration</name>
    <message>
        <location filename="../common/calibration.cpp" line="339"/>
        <source>UOZ Petrol 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="340"/>
        <source>Angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="341"/>
        <source>RPM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="342"/>
        <source>UOZ LPG 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="344"/>
        <source>UOZ Petrol 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="346"/>
        <source>UOZ LPG 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="348"/>
        <source>INJ 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="349"/>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="350"/>
        <source>INJ 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="355"/>
        <source>UOZ Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="357"/>
        <source>UOZ Iddle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="359"/>
        <source>UOZ Accumulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="360"/>
        <source>Volts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="361"/>
        <source>UOZ Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="362"/>
        <source>Temp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="363"/>
        <source>UOZ Knock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="364"/>
        <source>Knock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="365"/>
        <source>INJ Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="367"/>
        <source>INJ Iddle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibration.cpp" line="369"/>
        <source>INJ Temperature</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TCalibrationFiles</name>
    <message>
        <location filename="../common/calibrationfiles.cpp" line="74"/>
        <source>Wrong version file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibrationfiles.cpp" line="77"/>
        <source>Wrong file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibrationfiles.cpp" line="80"/>
        <source>The file is damaged: it ends before all of its data. Only its complete parts were loaded; everything else is unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TCalibrationTransfer</name>
    <message>
        <location filename="../common/calibrationtransfer.cpp" line="107"/>
        <source>map %1, flow %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibrationtransfer.cpp" line="111"/>
        <location filename="../common/calibrationtransfer.cpp" line="164"/>
        <location filename="../common/calibrationtransfer.cpp" line="187"/>
        <source>table %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../common/calibrationtransfer.cpp" line="150"/>
        <location filename="../common/calibrationtransfer.cpp" line="180"/>
        <source>map %1, flows %2 and %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TDataM</name>
    <message>
        <location filename="../workbench/datam.cpp" line="48"/>
        <source>Dashboard</source>
        <translation>Armaturenbrett</translation>
    </message>
    <message>
        <location filename="../workbench/datam.cpp" line="49"/>
        <source>Logging</source>
        <translation>Aufzeichnung</translation>
    </message>
    <message>
        <location filename="../workbench/datam.cpp" line="50"/>
        <source>Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/datam.cpp" line="51"/>
        <source>Graphic calibrations</source>
        <translation>Grafische Kalibrierung</translation>
    </message>
</context>
<context>
    <name>TDebug</name>
    <message>
        <location filename="../manager/debug.ui" line="6"/>
        <location filename="../manager/debug.cpp" line="61"/>
        <location filename="../manager/debug.cpp" line="101"/>
        <source>Debug</source>
        <translation type="unfinished">Diagnose</translation>
    </message>
    <message>
        <location filename="../manager/debug.ui" line="29"/>
        <location filename="../manager/debug.cpp" line="67"/>
        <source>Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.ui" line="42"/>
        <location filename="../manager/debug.cpp" line="68"/>
        <source>Lenght</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.ui" line="44"/>
        <location filename="../manager/debug.cpp" line="69"/>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.ui" line="46"/>
        <location filename="../manager/debug.cpp" line="70"/>
        <source>Type packet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.ui" line="48"/>
        <location filename="../manager/debug.cpp" line="71"/>
        <source>Packet №</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.ui" line="65"/>
        <location filename="../manager/debug.cpp" line="72"/>
        <source>Count packet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.cpp" line="62"/>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.cpp" line="63"/>
        <source>Prev</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.cpp" line="64"/>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.cpp" line="65"/>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.cpp" line="66"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.cpp" line="96"/>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/debug.cpp" line="101"/>
        <source>Error open log file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TGraphCurve</name>
    <message>
        <location filename="../workbench/graphcurve.ui" line="7"/>
        <source>Graphic calibrations</source>
        <translation type="unfinished">Grafische Kalibrierung</translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.ui" line="64"/>
        <source>Visible  online data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="197"/>
        <source>Work calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="202"/>
        <source>Other calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="274"/>
        <location filename="../workbench/graphcurve.cpp" line="911"/>
        <source>Autocreate flows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="275"/>
        <location filename="../workbench/graphcurve.cpp" line="927"/>
        <source>Set values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="276"/>
        <location filename="../workbench/graphcurve.cpp" line="944"/>
        <source>Change values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="277"/>
        <location filename="../workbench/graphcurve.cpp" line="957"/>
        <source>Set color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="278"/>
        <location filename="../workbench/graphcurve.cpp" line="966"/>
        <source>Clear freeze point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="279"/>
        <location filename="../workbench/graphcurve.cpp" line="974"/>
        <source>Clear values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="280"/>
        <source>Visible values on chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="281"/>
        <location filename="../workbench/graphcurve.cpp" line="991"/>
        <source>Visible data on chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="282"/>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="283"/>
        <source>Undo the last change (Ctrl+Z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="284"/>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="285"/>
        <source>Redo the change undone last (Ctrl+Y)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="409"/>
        <source>Flow </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="880"/>
        <source>Edit point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="905"/>
        <source>Attention!</source>
        <translation type="unfinished">Achtung!</translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="905"/>
        <source>Are you sure auto create flows?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/graphcurve.cpp" line="913"/>
        <source>Flows created</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TLoadUOZ</name>
    <message>
        <location filename="../manager/loaduoz.ui" line="5"/>
        <location filename="../manager/loaduoz.cpp" line="157"/>
        <location filename="../manager/loaduoz.cpp" line="168"/>
        <source>Load calibrations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="9"/>
        <source>Select loaded data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="19"/>
        <source>Calibration</source>
        <translation>Kalibrierung</translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="33"/>
        <source>Select all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="34"/>
        <source>Unselect all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="37"/>
        <source>Copy in calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="43"/>
        <source>Start calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="44"/>
        <source>Iddle calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="45"/>
        <source>Temperature correction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="46"/>
        <source>Time accumulation igniton coil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="47"/>
        <source>Knock calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="48"/>
        <source>Time injection on start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="49"/>
        <source>Correction iddle on temperature </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="50"/>
        <source>Correction time injection on temperature </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="51"/>
        <source>Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.ui" line="59"/>
        <source>Load selected data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/loaduoz.cpp" line="19"/>
        <source>Flow №%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TLogging</name>
    <message>
        <location filename="../workbench/logging.ui" line="8"/>
        <location filename="../workbench/logging.cpp" line="120"/>
        <location filename="../workbench/logging.cpp" line="236"/>
        <location filename="../workbench/logging.cpp" line="252"/>
        <location filename="../workbench/logging.cpp" line="270"/>
        <location filename="../workbench/logging.cpp" line="294"/>
        <location filename="../workbench/logging.cpp" line="299"/>
        <source>Logging</source>
        <translation type="unfinished">Aufzeichnung</translation>
    </message>
    <message>
        <location filename="../workbench/logging.ui" line="26"/>
        <location filename="../workbench/logging.cpp" line="121"/>
        <location filename="../workbench/logging.cpp" line="123"/>
        <location filename="../workbench/logging.cpp" line="163"/>
        <source>Directory for log files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.ui" line="39"/>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.ui" line="46"/>
        <location filename="../workbench/logging.cpp" line="122"/>
        <source>Auto file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.ui" line="84"/>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="124"/>
        <source>Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="125"/>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="126"/>
        <source>Rewind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="127"/>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="128"/>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="129"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="236"/>
        <source>Record log files only connected Zolt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="243"/>
        <source>Enter filename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="252"/>
        <source>The log file %1 could not be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="271"/>
        <source>The log file %1 could not be written; recording has stopped. The records before the error are kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="294"/>
        <source>Play log files only disconnected Zolt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/logging.cpp" line="299"/>
        <source>Please select file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMain</name>
    <message>
        <location filename="../manager/mainwindow.ui" line="6"/>
        <source>Manager Zolt</source>
        <translation>Zolt-Manager</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="29"/>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="32"/>
        <source>Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="35"/>
        <location filename="../manager/mainwindow.ui" line="52"/>
        <location filename="../manager/mainwindow.ui" line="105"/>
        <location filename="../manager/mainwindow.ui" line="116"/>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="43"/>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="46"/>
        <source>Ctrl+D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="60"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="71"/>
        <source>Read calibrate from Zolt</source>
        <translation>Kalibrierung aus Zolt lesen</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="74"/>
        <source>Ctrl+R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="77"/>
        <location filename="../manager/mainwindow.ui" line="91"/>
        <location filename="../manager/mainwindow.ui" line="130"/>
        <location filename="../manager/mainwindow.ui" line="144"/>
        <location filename="../manager/mainwindow.ui" line="194"/>
        <location filename="../manager/mainwindow.ui" line="208"/>
        <location filename="../manager/mainwindow.ui" line="219"/>
        <source>Load/Save</source>
        <translation>Laden/Speichern</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="85"/>
        <source>Write calibrate to Zolt</source>
        <translation>Kalibrierung in Zolt schreiben</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="88"/>
        <source>Ctrl+W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="99"/>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="102"/>
        <source>Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="113"/>
        <location filename="../manager/mainwindow.cpp" line="370"/>
        <source>Write Firmware</source>
        <translation>Firmware schreiben</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="124"/>
        <source>Read Parameters from Zolt</source>
        <translation>Parameter aus Zolt lesen</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="127"/>
        <source>Ctrl+Alt+R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="138"/>
        <source>Write Parameters to Zolt</source>
        <translation>Parameter in Zolt schreiben</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="141"/>
        <source>Ctrl+Alt+W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="152"/>
        <source>Paramerets</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="155"/>
        <source>Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="158"/>
        <source>Work</source>
        <translation>Arbeit</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="166"/>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="169"/>
        <location filename="../manager/mainwindow.ui" line="180"/>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="177"/>
        <source>Debug</source>
        <translation>Diagnose</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="188"/>
        <location filename="../manager/mainwindow.cpp" line="532"/>
        <location filename="../manager/mainwindow.cpp" line="540"/>
        <location filename="../manager/mainwindow.cpp" line="545"/>
        <source>Load file calibration</source>
        <translation>Kalibrierdatei laden</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="191"/>
        <source>Ctrl+L</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="202"/>
        <location filename="../manager/mainwindow.cpp" line="512"/>
        <location filename="../manager/mainwindow.cpp" line="521"/>
        <source>Save file calibration</source>
        <translation>Kalibrierdatei speichern</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="205"/>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.ui" line="216"/>
        <source>Online repozitory</source>
        <translation>Online-Archiv</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="175"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="244"/>
        <location filename="../manager/mainwindow.cpp" line="287"/>
        <location filename="../manager/mainwindow.cpp" line="332"/>
        <location filename="../manager/mainwindow.cpp" line="648"/>
        <source>Zolt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="244"/>
        <location filename="../manager/mainwindow.cpp" line="287"/>
        <location filename="../manager/mainwindow.cpp" line="383"/>
        <source>Connection error.</source>
        <translation>Verbindungsfehler.</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="288"/>
        <source>The polling of live data did not pause; nothing was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="363"/>
        <location filename="../manager/mainwindow.cpp" line="365"/>
        <location filename="../manager/mainwindow.cpp" line="382"/>
        <location filename="../manager/mainwindow.cpp" line="396"/>
        <location filename="../manager/mainwindow.cpp" line="401"/>
        <location filename="../manager/mainwindow.cpp" line="659"/>
        <source>Attention!</source>
        <translation>Achtung!</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="364"/>
        <source>All calibration parameters Zolt will be cleared. Save data from a Zolt in the file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="366"/>
        <source>Nothing was written. Connect, read the calibrations and the parameters from Zolt and save them in a file, then write the firmware.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="370"/>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="383"/>
        <location filename="../manager/mainwindow.cpp" line="396"/>
        <source>Failed to load firmware</source>
        <translation>Firmware konnte nicht geladen werden</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="401"/>
        <source>Firmware is loaded</source>
        <translation>Firmware ist geladen</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="431"/>
        <location filename="../manager/mainwindow.cpp" line="450"/>
        <location filename="../manager/mainwindow.cpp" line="453"/>
        <location filename="../manager/mainwindow.cpp" line="462"/>
        <location filename="../manager/mainwindow.cpp" line="466"/>
        <location filename="../manager/mainwindow.cpp" line="490"/>
        <location filename="../manager/mainwindow.cpp" line="495"/>
        <location filename="../manager/mainwindow.cpp" line="501"/>
        <location filename="../manager/mainwindow.cpp" line="559"/>
        <location filename="../manager/mainwindow.cpp" line="575"/>
        <location filename="../manager/mainwindow.cpp" line="577"/>
        <location filename="../manager/mainwindow.cpp" line="588"/>
        <location filename="../manager/mainwindow.cpp" line="605"/>
        <location filename="../manager/mainwindow.cpp" line="607"/>
        <location filename="../manager/mainwindow.cpp" line="612"/>
        <source>Attention.</source>
        <translation>Achtung.</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="431"/>
        <source>You are sure to load calibrations from Zolt?</source>
        <translation>Kalibrierungen wirklich aus Zolt laden?</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="450"/>
        <source>Reading the calibrations was cancelled. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="453"/>
        <source>The ECU stopped answering. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="454"/>
        <source>No answer for %1. Check the cable and the ECU&apos;s power, then read again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="462"/>
        <source>You are sure to write calibrations to Zolt?</source>
        <translation>Kalibrierungen wirklich in Zolt schreiben?</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="466"/>
        <source>The ECU does not answer. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="491"/>
        <source>The check of the written calibrations was cancelled; they were written but not checked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="492"/>
        <source>Writing the calibrations was cancelled. The ECU may hold a partial write: write the calibrations again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="496"/>
        <source>The ECU stopped answering while the written calibrations were checked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="497"/>
        <source>The ECU stopped answering. The ECU may hold a partial write: write the calibrations again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="499"/>
        <source>No answer for %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="502"/>
        <source>The ECU holds other values than were written. Write the calibrations again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="503"/>
        <source>First difference: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="513"/>
        <location filename="../manager/mainwindow.cpp" line="531"/>
        <source>Commercial version Zolt 2.x </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="521"/>
        <source>The calibration file was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="529"/>
        <source>Free version Zolt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="530"/>
        <source>Commercial version Zolt 1.x </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="559"/>
        <source>You are sure to read parameters from Zolt?</source>
        <translation>Parameter wirklich aus Zolt lesen?</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="575"/>
        <source>Parameters read successfully</source>
        <translation>Parameter erfolgreich gelesen</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="578"/>
        <source>The parameters were not read: the ECU did not answer for the %1 block.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="579"/>
        <location filename="../manager/mainwindow.cpp" line="609"/>
        <source>extra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="579"/>
        <location filename="../manager/mainwindow.cpp" line="609"/>
        <source>main</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="580"/>
        <source>The parameters in the program are as they were; nothing was changed on the ECU.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="588"/>
        <source>You are sure to write parameters to Zolt?</source>
        <translation>Parameter wirklich in Zolt schreiben?</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="605"/>
        <source>Parameters write successfully</source>
        <translation>Parameter erfolgreich geschrieben</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="608"/>
        <source>The parameters were not written: the ECU did not answer for the %1 block.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="610"/>
        <source>The ECU may hold a partial write: write the parameters again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="613"/>
        <source>The ECU holds other parameters than were written. Write the parameters again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="614"/>
        <source>The parameters were written but could not be read back to check them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="648"/>
        <source>The settings were not saved.</source>
        <translation>Die Einstellungen wurden nicht gespeichert.</translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="649"/>
        <source>%1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/mainwindow.cpp" line="659"/>
        <source>Close program?</source>
        <translation>Programm schließen?</translation>
    </message>
</context>
<context>
    <name>TOnline</name>
    <message>
        <location filename="../workbench/online.ui" line="7"/>
        <source>Online</source>
        <translation>Online</translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="70"/>
        <source>Work mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="76"/>
        <source>Test mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="82"/>
        <source>Active table:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="102"/>
        <source>AUX out:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="110"/>
        <source>Limit RPM:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="118"/>
        <source>Carburator:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="126"/>
        <source>Econom iddle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="134"/>
        <source>Limit angle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="142"/>
        <source>MAP error:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="150"/>
        <source>Error WDT:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.ui" line="158"/>
        <source>Error sincro:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="16"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="16"/>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="17"/>
        <source>Iddle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="17"/>
        <source>Work</source>
        <translation>Arbeit</translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="19"/>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="19"/>
        <source>Start angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="20"/>
        <source>Forced angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="20"/>
        <source>Test cylinders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="21"/>
        <source>Auto oscillations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="21"/>
        <source>Spark dryer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="22"/>
        <source>Analyzer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="22"/>
        <source>Generator info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="35"/>
        <source>RPM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="36"/>
        <source>Angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="37"/>
        <source>Flow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="38"/>
        <source>Lambda</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="38"/>
        <source>AFR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="39"/>
        <source>Time inj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="39"/>
        <source>ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="40"/>
        <source>Temp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="40"/>
        <location filename="../workbench/online.cpp" line="42"/>
        <source>C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="41"/>
        <source>Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="41"/>
        <source>V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="42"/>
        <source>Temp air</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="132"/>
        <source>Work mode: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="133"/>
        <source>Test mode: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/online.cpp" line="135"/>
        <source>Active table: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TParamsZolt</name>
    <message>
        <location filename="../manager/paramszolt.ui" line="5"/>
        <source>Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="17"/>
        <source>Basic setting / Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="27"/>
        <source>Cylinder count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="34"/>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="36"/>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="38"/>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="40"/>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="42"/>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="44"/>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="47"/>
        <source>Limit RPM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="60"/>
        <source>Enable launch control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="73"/>
        <source>Delay off econom iddle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="87"/>
        <source>Oktan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="101"/>
        <source>Voltmeter calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="125"/>
        <source>Correction iddle RPM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="128"/>
        <source>Iddle RPM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="141"/>
        <source>Max angle on iddle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="164"/>
        <source>Multispark mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="167"/>
        <source>Inversion switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="170"/>
        <source>Enable voltmeter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="173"/>
        <source>Static spark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="176"/>
        <source>Inversion SAI/60-2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="179"/>
        <source>Inversion SBR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="182"/>
        <source>36-1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="185"/>
        <source>Fase sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="188"/>
        <location filename="../manager/paramszolt.ui" line="488"/>
        <source>Knock sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="194"/>
        <source>Temperature / Buzzer / External switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="204"/>
        <source>Enable DT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="207"/>
        <source>Digital</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="211"/>
        <source>Cold DT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="226"/>
        <source>Hot DT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="241"/>
        <source>Correction iddle on t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="265"/>
        <source>Buzz on t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="278"/>
        <source>Buzz on V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="292"/>
        <source>Buzz on RPM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="309"/>
        <source>External switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="317"/>
        <source>Ext. №1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="331"/>
        <source>Petrol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="335"/>
        <source>LPG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="342"/>
        <source>Ext. №2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="356"/>
        <source>Curve 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="360"/>
        <source>Curve 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="366"/>
        <source>CKP sensor / Hall sensor / Map sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="376"/>
        <source>Total tooth on flywheel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="389"/>
        <source>Tooth on flywheel between NO and MT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="402"/>
        <source>Start angle correction on CKP mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="415"/>
        <source>Zero angle correction hall sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="439"/>
        <source>Begin voltage MAP sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="453"/>
        <source>Voltage flow 1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="467"/>
        <source>Voltage flow 16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="481"/>
        <source>Auto calibration MAP sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="498"/>
        <source>Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="505"/>
        <source>Gain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="512"/>
        <source>Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="529"/>
        <source>Rollback during detonation in angle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="543"/>
        <source>Maximum angle rollback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="557"/>
        <source>Recovery speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="573"/>
        <source>Injection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="579"/>
        <source>Sensitivity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="592"/>
        <source>Max  separation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="605"/>
        <source>Time separation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="618"/>
        <source>Voltage correction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="635"/>
        <source>Configurable outputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="645"/>
        <source>EPHH out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="648"/>
        <location filename="../manager/paramszolt.ui" line="710"/>
        <location filename="../manager/paramszolt.ui" line="768"/>
        <location filename="../manager/paramszolt.cpp" line="471"/>
        <source>Signal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="656"/>
        <source>Strob</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="658"/>
        <location filename="../manager/paramszolt.ui" line="722"/>
        <location filename="../manager/paramszolt.ui" line="780"/>
        <source>RPM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="660"/>
        <location filename="../manager/paramszolt.ui" line="718"/>
        <location filename="../manager/paramszolt.ui" line="776"/>
        <source>Flow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="662"/>
        <location filename="../manager/paramszolt.ui" line="720"/>
        <location filename="../manager/paramszolt.ui" line="778"/>
        <source>Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="664"/>
        <location filename="../manager/paramszolt.ui" line="724"/>
        <location filename="../manager/paramszolt.ui" line="782"/>
        <source>Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="667"/>
        <location filename="../manager/paramszolt.ui" line="727"/>
        <location filename="../manager/paramszolt.ui" line="750"/>
        <location filename="../manager/paramszolt.ui" line="785"/>
        <location filename="../manager/paramszolt.ui" line="808"/>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="682"/>
        <location filename="../manager/paramszolt.ui" line="752"/>
        <location filename="../manager/paramszolt.ui" line="810"/>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="707"/>
        <source>Aux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="742"/>
        <location filename="../manager/paramszolt.ui" line="800"/>
        <source>Action </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.ui" line="765"/>
        <source>DH4 out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.cpp" line="458"/>
        <source>Attention.</source>
        <translation type="unfinished">Achtung.</translation>
    </message>
    <message>
        <location filename="../manager/paramszolt.cpp" line="458"/>
        <source>Warning, change cylinder count.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TPlugInMan</name>
    <message>
        <location filename="../manager/pluginman.cpp" line="109"/>
        <source>Work</source>
        <translation>Arbeit</translation>
    </message>
</context>
<context>
    <name>TReadLog</name>
    <message>
        <location filename="../workbench/readlog.cpp" line="140"/>
        <source>Attention.</source>
        <translation type="unfinished">Achtung.</translation>
    </message>
    <message>
        <location filename="../workbench/readlog.cpp" line="141"/>
        <source>Version of log file is not supported</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TSetData</name>
    <message>
        <location filename="../workbench/setdata.ui" line="25"/>
        <source>Input value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/setdata.ui" line="37"/>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../workbench/setdata.ui" line="43"/>
        <source>Close</source>
        <translation type="unfinished">Schließen</translation>
    </message>
</context>
<context>
    <name>TSettings</name>
    <message>
        <location filename="../manager/settingsdialog.ui" line="6"/>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="11"/>
        <location filename="../manager/settingsdialog.cpp" line="49"/>
        <source>Directory for extension</source>
        <translation>Ordner für Erweiterungen</translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="31"/>
        <source>COM port</source>
        <translation>Serielle Schnittstelle</translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="40"/>
        <source>Auto connect after start</source>
        <translation>Nach dem Start verbinden</translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="45"/>
        <source>Interface language</source>
        <translation>Sprache der Oberfläche</translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="56"/>
        <source>Fast write calibrations</source>
        <translation>Kalibrierungen schnell schreiben</translation>
    </message>
    <message>
        <location filename="../manager/settingsdialog.ui" line="62"/>
        <source>Lambda AFR correction</source>
        <translation>Lambda-AFR-Korrektur</translation>
    </message>
</context>
</TS>
