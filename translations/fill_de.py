#!/usr/bin/env python3
"""Fills the German catalogue's translations that are known, leaving the rest unfinished.
Run after lupdate: python3 translations/fill_de.py translations/zolt_de.ts"""
import html
import re
import sys

GERMAN = {
    "Manager Zolt": "Zolt-Manager", "Connect": "Verbinden", "Connection": "Verbindung",
    "Disconnect": "Trennen", "Close": "Schließen", "Read calibrate from Zolt": "Kalibrierung aus Zolt lesen",
    "Load/Save": "Laden/Speichern", "Write calibrate to Zolt": "Kalibrierung in Zolt schreiben",
    "Settings": "Einstellungen", "Write Firmware": "Firmware schreiben",
    "Read Parameters from Zolt": "Parameter aus Zolt lesen", "Write Parameters to Zolt": "Parameter in Zolt schreiben",
    "Paramerets": "Parameter", "Work": "Arbeit", "Version": "Version", "Help": "Hilfe", "Debug": "Diagnose",
    "Load file calibration": "Kalibrierdatei laden", "Save file calibration": "Kalibrierdatei speichern",
    "Online repozitory": "Online-Archiv", "Cancel": "Abbrechen", "Connection error.": "Verbindungsfehler.",
    "Attention!": "Achtung!", "Attention.": "Achtung.", "Close program?": "Programm schließen?",
    "Firmware": "Firmware", "Failed to load firmware": "Firmware konnte nicht geladen werden",
    "Firmware is loaded": "Firmware ist geladen",
    "You are sure to load calibrations from Zolt?": "Kalibrierungen wirklich aus Zolt laden?",
    "You are sure to write calibrations to Zolt?": "Kalibrierungen wirklich in Zolt schreiben?",
    "You are sure to read parameters from Zolt?": "Parameter wirklich aus Zolt lesen?",
    "You are sure to write parameters to Zolt?": "Parameter wirklich in Zolt schreiben?",
    "Parameters read successfully": "Parameter erfolgreich gelesen",
    "Parameters write successfully": "Parameter erfolgreich geschrieben",
    "The settings were not saved.": "Die Einstellungen wurden nicht gespeichert.",
    "Directory for extension": "Ordner für Erweiterungen", "COM port": "Serielle Schnittstelle",
    "Auto connect after start": "Nach dem Start verbinden", "Interface language": "Sprache der Oberfläche",
    "Fast write calibrations": "Kalibrierungen schnell schreiben", "Lambda AFR correction": "Lambda-AFR-Korrektur",
    "Online": "Online", "Dashboard": "Armaturenbrett", "Logging": "Aufzeichnung",
    "Calibration": "Kalibrierung", "Graphic calibrations": "Grafische Kalibrierung",
}

path = sys.argv[1]
text = open(path, encoding="utf-8").read()

def fill(match):
    source = html.unescape(match.group(1))
    if source in GERMAN:
        return f"<source>{match.group(1)}</source>\n        <translation>{html.escape(GERMAN[source], quote=False)}</translation>"
    return match.group(0)

text = re.sub(r"<source>(.*?)</source>\s*<translation type=\"unfinished\"></translation>", fill, text, flags=re.S)
open(path, "w", encoding="utf-8").write(text)
