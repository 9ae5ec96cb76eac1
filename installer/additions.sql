-- What wixl 0.101 cannot express, written into the package's tables by scripts/msi.sh after
-- wixl has built it. One statement a line; lines starting with "--" are comments.
--
-- The command line's folder at the end of the system PATH, taken off again on removal
-- (wixl has no Environment element): "=" sets, "-" removes on uninstall, "*" is the
-- system's environment; "[~];" appends to what is there.
CREATE TABLE `Environment` (`Environment` CHAR(72) NOT NULL, `Name` CHAR(255) NOT NULL LOCALIZABLE, `Value` CHAR(255) LOCALIZABLE, `Component_` CHAR(72) NOT NULL PRIMARY KEY `Environment`)
INSERT INTO `Environment` (`Environment`, `Name`, `Value`, `Component_`) VALUES ('PathEntry', '=-*PATH', '[~];[INSTALLDIR]', 'Cli')
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveEnvironmentStrings', 3300)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteEnvironmentStrings', 5200)
-- A plain shortcut to the installed program: wixl makes every shortcut an advertised one,
-- aimed at the feature.
UPDATE `Shortcut` SET `Target` = '[#Tool]' WHERE `Shortcut` = 'ToolShortcut'
-- The extension's association (component ProfileOpen) only where the extension has none, or
-- has this program's: the default value of HKCR\.zp350 is looked up first (a raw registry
-- value, type 2) into EXISTINGPROFILETYPE.
INSERT INTO `RegLocator` (`Signature_`, `Root`, `Key`, `Type`) VALUES ('ExistingProfileType', 0, '.zp350', 2)
INSERT INTO `AppSearch` (`Property`, `Signature_`) VALUES ('EXISTINGPROFILETYPE', 'ExistingProfileType')
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)
INSERT INTO `InstallUISequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)
UPDATE `Component` SET `Condition` = 'NOT EXISTINGPROFILETYPE OR EXISTINGPROFILETYPE = "ZP350.Profile"' WHERE `Component` = 'ProfileOpen'
